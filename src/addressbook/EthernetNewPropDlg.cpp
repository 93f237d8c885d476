#include "addressbook/EthernetNewPropDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "addressbook/AddEditIPDlg.h"
#include "addressbook/AddEditIPGroupDlg.h"
#include "addressbook/IPEntryList.h"
#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "controls/NorvComboBox.h"
#include "controls/ReportView.h"

namespace {

constexpr int kNameWidth = 125;
constexpr int kAddressWidth = 238;

std::string DeleteQuestion(size_t selected) {
  if (selected == 0) return "No items selected to delete!";
  if (selected == 1) return "Are you sure you wanted to delete the selected item?";
  return Format("Are you sure you want to delete the %d seleted items?", static_cast<int>(selected));
}

}  // namespace

CEthernetNewPropDlg::CEthernetNewPropDlg(QWidget* parent)
    : CNorvChildDialog(parent),
      m_pSendToLabel(new QLabel(tr("Send To"), this)),
      m_pGroupBox(new QGroupBox(tr("Defined Groups of IP Addresses"), this)),
      m_pList(new CIPEntryList(kNameWidth, kAddressWidth, m_pGroupBox)),
      m_pAddButton(new QPushButton(tr("Add"), m_pGroupBox)),
      m_pEditButton(new QPushButton(tr("Edit"), m_pGroupBox)),
      m_pDeleteButton(new QPushButton(tr("Delete"), m_pGroupBox)),
      m_pCreateGroupButton(new QPushButton(tr("Create Group"), m_pGroupBox)),
      m_pContextMenu(new QMenu(this)) {
  m_pSendToSelector = new CNorvComboBox(this);
  const std::pair<QObject*, const char*> names[] = {{m_pSendToSelector, "sendTo"},
                                                    {m_pSendToLabel, "sendToLabel"},
                                                    {m_pGroupBox, "entriesBox"},
                                                    {m_pList, "entries"},
                                                    {m_pContextMenu, "entriesMenu"}};
  for (const auto& [object, name] : names) object->setObjectName(name);
  m_pSendToLabel->setBuddy(m_pSendToSelector);
  m_pSendToSelector->setMinimumWidth(DialogUnitsX(this, 200));
  m_pList->setAccessibleName(m_pGroupBox->title());
  m_pList->setMinimumSize(DialogUnitsToPixels(this, 245, 152));
  m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
  m_pList->installEventFilter(this);
  m_pList->viewport()->installEventFilter(this);

  const std::pair<QPushButton*, QString> commands[] = {
      {m_pAddButton, tr("Add...")},
      {m_pEditButton, tr("Edit...")},
      {m_pDeleteButton, tr("Delete...")},
      {m_pCreateGroupButton, tr("Add selected IPs to a new group...")},
  };
  const std::array operations = {&CEthernetNewPropDlg::OnAdd, &CEthernetNewPropDlg::OnEdit,
                                 &CEthernetNewPropDlg::OnDelete, &CEthernetNewPropDlg::OnCreateGroup};
  auto* buttons = new QHBoxLayout;
  for (size_t i = 0; i < operations.size(); ++i) {
    QPushButton* button = commands[i].first;
    button->setAutoDefault(false);
    buttons->addWidget(button);
    connect(button, &QPushButton::clicked, this, operations[i]);
    if (i == 3) m_pContextMenu->addSeparator();
    QAction* action = m_pContextMenu->addAction(commands[i].second);
    connect(action, &QAction::triggered, this, operations[i]);
    m_MenuActions.push_back(action);
  }
  connect(m_pList, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { m_pContextMenu->exec(m_pList->viewport()->mapToGlobal(at)); });
  connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CEthernetNewPropDlg::UpdateButtons);
  connect(m_pSendToSelector, &QComboBox::activated, this, [this] { SelectSendTarget(); });

  auto* inBox = new QVBoxLayout(m_pGroupBox);
  inBox->setContentsMargins(DialogUnitsX(this, 15), DialogUnitsY(this, 8), DialogUnitsX(this, 15),
                            DialogUnitsY(this, 6));
  inBox->addWidget(m_pList, 1);
  inBox->addLayout(buttons);
  auto* sendTo = new QHBoxLayout;
  sendTo->addWidget(m_pSendToLabel);
  sendTo->addWidget(m_pSendToSelector);
  sendTo->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(sendTo);
  layout->addWidget(m_pGroupBox, 1);

  // The combo was made after the list: Tab goes down the pane as it is drawn.
  QWidget* const order[] = {m_pSendToSelector, m_pList,         m_pAddButton,
                            m_pEditButton,     m_pDeleteButton, m_pCreateGroupButton};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  FillList();
  FillSendToCombo();
  UpdateButtons();
}

void CEthernetNewPropDlg::FillList() {
  m_pList->Fill(theApp().m_AddressBook);
}

void CEthernetNewPropDlg::Refresh() {
  FillList();
  FillSendToCombo();
  UpdateButtons();
}

void CEthernetNewPropDlg::UpdateButtons() {
  const size_t selected = GetSelectedRows(m_pList).size();
  const bool enabled[] = {selected == 0, selected == 1, selected >= 1, true};
  const bool menuEnabled[] = {selected == 0, selected == 1, selected >= 1, selected >= 2};
  QPushButton* const buttons[] = {m_pAddButton, m_pEditButton, m_pDeleteButton, m_pCreateGroupButton};
  for (size_t i = 0; i < m_MenuActions.size(); ++i) {
    buttons[i]->setEnabled(enabled[i]);
    m_MenuActions[i]->setEnabled(menuEnabled[i]);
  }
}

void CEthernetNewPropDlg::SplitBySelection(std::vector<CIPGroup>& selected, std::vector<CIPGroup>& others) const {
  const std::vector<CIPGroup>& book = theApp().m_AddressBook;
  const std::vector<int> rows = GetSelectedRows(m_pList);
  for (size_t i = 0; i < book.size(); ++i)
    (std::binary_search(rows.begin(), rows.end(), static_cast<int>(i)) ? selected : others).push_back(book[i]);
}

void CEthernetNewPropDlg::OpenGroupDialog(int editMode, int entryIndex) {
  CAddEditIPGroupDlg dialog(this);
  dialog.m_nEditMode = editMode;
  dialog.m_nEntryIndex = entryIndex;
  SplitBySelection(dialog.m_MemberEntries, dialog.m_SourceEntries);
  dialog.exec();
}

void CEthernetNewPropDlg::OnAdd() {
  CAddEditIPDlg dialog(this);
  dialog.exec();
  Refresh();
}

void CEthernetNewPropDlg::OnEdit() {
  const std::vector<int> rows = GetSelectedRows(m_pList);
  if (rows.empty()) return;
  // The row's own entry: rows and entries are in the same order, and names need not be unique.
  const int index = rows.front();
  const std::vector<CIPGroup>& book = theApp().m_AddressBook;
  const size_t members =
      static_cast<size_t>(index) < book.size() ? book[static_cast<size_t>(index)].m_Members.size() : 0;
  if (members == 1) {
    CAddEditIPDlg dialog(this);
    dialog.m_nEditMode = 1;
    dialog.m_nEntryIndex = index;
    dialog.exec();
  } else if (members > 1) {
    OpenGroupDialog(1, index);
  }
  Refresh();
}

void CEthernetNewPropDlg::OnCreateGroup() {
  OpenGroupDialog(0, -1);
  Refresh();
}

void CEthernetNewPropDlg::OnDelete() {
  const std::vector<int> rows = GetSelectedRows(m_pList);
  if (!theApp().Prompter().AskYesNo(DeleteQuestion(rows.size()))) return;
  std::vector<CIPGroup>& book = theApp().m_AddressBook;
  std::vector<CIPGroup> kept;
  for (size_t i = 0; i < book.size(); ++i)
    if (!std::binary_search(rows.begin(), rows.end(), static_cast<int>(i))) kept.push_back(std::move(book[i]));
  book = std::move(kept);
  Refresh();
}

bool CEthernetNewPropDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pList && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    if (!GetSelectedRows(m_pList).empty()) OnDelete();
    return true;
  }
  if (watched == m_pList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    // The first click of the double click has already chosen the selection.
    const size_t selected = GetSelectedRows(m_pList).size();
    if (selected == 0)
      OnAdd();
    else if (selected == 1)
      OnEdit();
    return true;
  }
  return CNorvChildDialog::eventFilter(watched, event);
}

#include "addressbook/AddEditIPGroupDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "addressbook/EntryRules.h"
#include "addressbook/IPEntryList.h"
#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "controls/ReportView.h"

namespace {

constexpr int kNameWidth = 73;
constexpr int kAddressWidth = 100;

// Moves the entries of the selected rows of list (which shows from) to the end of to, in order.
// False when no row is selected.
bool MoveSelected(const CIPEntryList* list, std::vector<CIPGroup>& from, std::vector<CIPGroup>& to) {
  const std::vector<int> rows = GetSelectedRows(list);
  if (rows.empty()) return false;
  std::vector<CIPGroup> kept;
  size_t next = 0;
  for (size_t i = 0; i < from.size(); ++i) {
    const bool selected = next < rows.size() && static_cast<size_t>(rows[next]) == i;
    if (selected) ++next;
    (selected ? to : kept).push_back(std::move(from[i]));
  }
  from = std::move(kept);
  return true;
}

}  // namespace

CAddEditIPGroupDlg::CAddEditIPGroupDlg(QWidget* parent)
    : QDialog(parent),
      m_pName(new QLineEdit(this)),
      m_pSourceList(new CIPEntryList(kNameWidth, kAddressWidth, this)),
      m_pMemberList(new CIPEntryList(kNameWidth, kAddressWidth, this)),
      m_pToGroupButton(new QPushButton(">>", this)),
      m_pToSourceButton(new QPushButton("<<", this)),
      m_pOkButton(new QPushButton(tr("OK"), this)),
      m_pCancelButton(new QPushButton(tr("Cancel"), this)) {
  const std::pair<QWidget*, const char*> names[] = {
      {m_pName, "name"}, {m_pSourceList, "source"}, {m_pMemberList, "members"}};
  for (const auto& [widget, name] : names) widget->setObjectName(name);
  auto* nameLabel = new QLabel(tr("Group Name"), this);
  nameLabel->setBuddy(m_pName);
  auto* sourceLabel = new QLabel(tr("Source IP List"), this);
  sourceLabel->setBuddy(m_pSourceList);
  auto* memberLabel = new QLabel(tr("IPs in this Group"), this);
  memberLabel->setBuddy(m_pMemberList);
  m_pSourceList->setAccessibleName(sourceLabel->text());
  m_pMemberList->setAccessibleName(memberLabel->text());
  m_pToGroupButton->setAccessibleName(tr("Add the selected entries to the group"));
  m_pToGroupButton->setToolTip(m_pToGroupButton->accessibleName());
  m_pToSourceButton->setAccessibleName(tr("Take the selected entries out of the group"));
  m_pToSourceButton->setToolTip(m_pToSourceButton->accessibleName());
  for (QPushButton* button : {m_pToGroupButton, m_pToSourceButton, m_pCancelButton}) button->setAutoDefault(false);
  for (QPushButton* button : {m_pToGroupButton, m_pToSourceButton}) button->setFixedWidth(DialogUnitsX(this, 30));
  m_pOkButton->setDefault(true);
  const QSize listSize = DialogUnitsToPixels(this, 125, 150);
  m_pSourceList->setMinimumSize(listSize);
  m_pMemberList->setMinimumSize(listSize);

  auto* name = new QHBoxLayout;
  name->addWidget(nameLabel);
  name->addWidget(m_pName, 1);
  auto* moves = new QVBoxLayout;
  moves->addStretch(1);
  moves->addWidget(m_pToGroupButton);
  moves->addWidget(m_pToSourceButton);
  moves->addStretch(1);
  auto* lists = new QGridLayout;
  lists->addWidget(sourceLabel, 0, 0);
  lists->addWidget(memberLabel, 0, 2);
  lists->addWidget(m_pSourceList, 1, 0);
  lists->addLayout(moves, 1, 1);
  lists->addWidget(m_pMemberList, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_pOkButton);
  buttons->addWidget(m_pCancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  setMinimumSize(DialogUnitsToPixels(this, 299, 219));

  connect(m_pToGroupButton, &QPushButton::clicked, this, &CAddEditIPGroupDlg::OnMoveToGroup);
  connect(m_pToSourceButton, &QPushButton::clicked, this, &CAddEditIPGroupDlg::OnMoveToSource);
  connect(m_pOkButton, &QPushButton::clicked, this, &CAddEditIPGroupDlg::accept);
  connect(m_pCancelButton, &QPushButton::clicked, this, &CAddEditIPGroupDlg::reject);
}

bool CAddEditIPGroupDlg::IsEditing() const {
  return IsEditingEntry(theApp().m_AddressBook, m_nEditMode, m_nEntryIndex);
}

void CAddEditIPGroupDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (IsEditing()) {
    setWindowTitle(tr("Edit IP Group"));
    m_pName->setText(ToQString(theApp().m_AddressBook[static_cast<size_t>(m_nEntryIndex)].m_strName));
  } else {
    setWindowTitle(tr("Add IP Group"));
  }
  FillLists();
  m_pName->setFocus();
}

void CAddEditIPGroupDlg::FillLists() {
  m_pSourceList->Fill(m_SourceEntries);
  m_pMemberList->Fill(m_MemberEntries);
}

void CAddEditIPGroupDlg::OnMoveToGroup() {
  if (MoveSelected(m_pSourceList, m_SourceEntries, m_MemberEntries)) FillLists();
}

void CAddEditIPGroupDlg::OnMoveToSource() {
  if (MoveSelected(m_pMemberList, m_MemberEntries, m_SourceEntries)) FillLists();
}

void CAddEditIPGroupDlg::accept() {
  CNorvMarqueeApp& app = theApp();
  const CodePageText typed = ToCodePage(m_pName->text());
  if (const auto problem = CheckNameBytes(typed, true)) {
    app.Prompter().Error(problem->message);
    m_pName->setFocus();
    return;
  }
  const std::string& name = typed.bytes;
  if (const auto problem = CheckIPGroupInput(app.m_AddressBook, name, m_MemberEntries, !IsEditing())) {
    app.Prompter().Error(problem->message);
    if (problem->field == EntryField::Name)
      m_pName->setFocus();
    else
      m_pMemberList->setFocus();
    return;
  }
  m_ResultEntry = BuildIPGroup(name, m_MemberEntries);
  StoreEntry(app.m_AddressBook, m_nEditMode, m_nEntryIndex, m_ResultEntry);
  QDialog::accept();
}

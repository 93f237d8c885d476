#include "database/MsgDBDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "app/WaitCursor.h"
#include "common/HelpTopics.h"
#include "common/Prompter.h"
#include "controls/ReportView.h"
#include "database/MessageListModel.h"
#include "database/MessageRow.h"
#include "message/CurrentMessage.h"

namespace {

constexpr const char* kAskDelete = "Do you want to delete selected message(s)?";

}  // namespace

CMsgDBDlg::CMsgDBDlg(QWidget* parent)
    : CNorvChildDialog(parent),
      m_pHelpButton(CreateHelpButton(kHelpMessageDatabase)),
      m_pDeleteButton(new QPushButton(tr("Delete"), this)),
      m_pSelectButton(new QPushButton(tr("Select Message"), this)),
      m_pList(new QTableView(this)),
      m_pModel(new CMessageListModel(theApp().m_MessageList, this)) {
  m_pList->setObjectName("messages");
  m_pList->setModel(m_pModel);
  m_pList->setAccessibleName(tr("Stored messages"));
  SetUpReportView(m_pList);
  m_Dragged.assign(kMessageColumns.size(), false);
  SizeColumns();
  connect(m_pList->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (!m_bSizing && column >= 0 && static_cast<size_t>(column) < m_Dragged.size())
      m_Dragged[static_cast<size_t>(column)] = true;
  });
  m_pList->setMinimumSize(DialogUnitsToPixels(this, 370, 244));
  m_pList->installEventFilter(this);

  m_pDeleteButton->setEnabled(false);
  m_pSelectButton->setEnabled(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {m_pSelectButton, m_pDeleteButton, m_pHelpButton}) {
    button->setAutoDefault(false);
    button->setMinimumWidth(DialogUnitsX(this, 75));
    buttons->addWidget(button);
  }
  buttons->setSpacing(DialogUnitsX(this, 18));
  auto* layout = new QGridLayout(this);
  layout->addWidget(m_pList, 0, 0);
  layout->addLayout(buttons, 1, 0);

  connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CMsgDBDlg::UpdateButtons);
  connect(m_pDeleteButton, &QPushButton::clicked, this, &CMsgDBDlg::OnDelete);
  connect(m_pSelectButton, &QPushButton::clicked, this, &CMsgDBDlg::OnSelectMessage);

  FillRows();
}

void CMsgDBDlg::SizeColumns() {
  const int average = AverageCharWidth(m_pList);
  m_bSizing = true;
  for (size_t i = 0; i < kMessageColumns.size(); ++i)
    if (!m_Dragged[i])
      m_pList->setColumnWidth(static_cast<int>(i), ScaleClassicPixelsX(kMessageColumns[i].width, average));
  m_bSizing = false;
}

void CMsgDBDlg::changeEvent(QEvent* event) {
  CNorvChildDialog::changeEvent(event);
  if (event->type() == QEvent::FontChange) SizeColumns();
}

void CMsgDBDlg::FillRows() {
  m_pModel->ShowAll();
  UpdateButtons();
}

int CMsgDBDlg::ShowRow(int index) {
  return m_pModel->ShowRow(index);
}

int CMsgDBDlg::GetFirstSelected(int start) const {
  const std::vector<int> rows = GetSelectedRows(m_pList);
  const auto next = std::upper_bound(rows.begin(), rows.end(), start);
  return next == rows.end() ? -1 : *next;
}

void CMsgDBDlg::UpdateButtons() {
  const size_t selected = static_cast<size_t>(m_pList->selectionModel()->selectedRows().size());
  m_pDeleteButton->setEnabled(selected >= 1);
  m_pSelectButton->setEnabled(selected == 1);
}

void CMsgDBDlg::OnDelete() {
  std::vector<int> rows = GetSelectedRows(m_pList);
  if (rows.empty() || !theApp().Prompter().AskYesNo(kAskDelete)) return;
  // From the bottom up, a run of neighbouring rows at a time, so the positions still to
  // delete do not move.
  while (!rows.empty()) {
    size_t first = rows.size() - 1;
    while (first > 0 && rows[first - 1] == rows[first] - 1) --first;
    m_pModel->DeleteRecords(rows[first], static_cast<int>(rows.size() - first));
    rows.resize(first);
  }
  UpdateButtons();
}

void CMsgDBDlg::OnSelectMessage() {
  const int row = GetFirstSelected(-1);
  if (row < 0) return;
  WaitCursor cursor;
  const BusyScope busy(&cursor);
  CNorvMarqueeApp& app = theApp();
  if (const CMsgObjDBList* record = m_pModel->RecordAt(row)) {
    app.m_PickedMessage.CopyFrom(*record);
    PickRecordIntoCurrentMessage(*record, app.m_MsgSettings, app.m_nGroupNumber, app.m_nUnitNumber);
    app.m_bMessageLoaded = true;
  }
  emit PageRequested(0);
}

void CMsgDBDlg::OnPageShown() {
  FillRows();
}

bool CMsgDBDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pList && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && GetFirstSelected(-1) >= 0) {
    OnDelete();
    return true;
  }
  return CNorvChildDialog::eventFilter(watched, event);
}

#include "controls/ReportView.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <algorithm>

namespace {

// Whether text, drawn with view's font and a cell's margins, needs more than width pixels.
bool IsCut(const QWidget* view, const QString& text, int width, int margin) {
  return !text.isEmpty() && view->fontMetrics().horizontalAdvance(text) + 2 * margin > width;
}

int CellMargin(const QTableView* view) {
  return view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
}

// Shows the whole text of cut cells and headings when the mouse rests on them.
class CutTextTips : public QObject {
 public:
  explicit CutTextTips(QTableView* view) : QObject(view), m_pView(view) {
    view->viewport()->installEventFilter(this);
    view->horizontalHeader()->viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QString text;
    if (watched == m_pView->viewport())
      text = CutCellText(m_pView, m_pView->indexAt(help->pos()));
    else
      text = CutHeadingText(m_pView, m_pView->horizontalHeader()->logicalIndexAt(help->pos()));
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, static_cast<QWidget*>(watched));
    return true;
  }

 private:
  QTableView* m_pView;
};

}  // namespace

void SetUpReportView(QTableView* view) {
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setTabKeyNavigation(false);
  view->setWordWrap(false);
  view->setShowGrid(true);
  QHeaderView* rows = view->verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(view->fontMetrics().height() + 4);
  QHeaderView* columns = view->horizontalHeader();
  columns->setHighlightSections(false);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  new CutTextTips(view);
}

std::vector<int> GetSelectedRows(const QTableView* view) {
  std::vector<int> rows;
  for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

QString CutCellText(const QTableView* view, const QModelIndex& index) {
  if (!index.isValid()) return {};
  const QString text = index.data().toString();
  return IsCut(view, text, view->columnWidth(index.column()), CellMargin(view)) ? text : QString();
}

QString CutHeadingText(const QTableView* view, int column) {
  if (column < 0 || !view->model() || column >= view->model()->columnCount()) return {};
  const QHeaderView* header = view->horizontalHeader();
  const QString text = view->model()->headerData(column, Qt::Horizontal).toString();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  return IsCut(header, text, header->sectionSize(column), margin) ? text : QString();
}

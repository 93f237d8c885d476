#include "controls/ReportView.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

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
}

std::vector<int> GetSelectedRows(const QTableView* view) {
  std::vector<int> rows;
  for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

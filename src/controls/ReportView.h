#pragma once

#include <QString>
#include <vector>

class QModelIndex;
class QTableView;

// Sets a table up as a report-style list, as the pages' lists of messages and addresses are:
// whole rows are selected, several at a time (Shift and Ctrl); grid lines; no row headings;
// column headings on the left; nothing edited in place; word wrap off; Tab leaves the list
// instead of walking its cells. A cell or heading that its column cuts shows its whole text
// as a tooltip. Column widths are the caller's.
void SetUpReportView(QTableView* view);

// The rows of view that are selected, in ascending order.
std::vector<int> GetSelectedRows(const QTableView* view);

// The whole text of the cell at index when its column is too narrow for it; empty when it fits.
QString CutCellText(const QTableView* view, const QModelIndex& index);
// The same for the heading of a column.
QString CutHeadingText(const QTableView* view, int column);

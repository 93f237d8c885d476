#pragma once

#include <vector>

class QTableView;

// Sets a table up as a report-style list, as the pages' lists of messages and addresses are:
// whole rows are selected, several at a time (Shift and Ctrl); grid lines; no row headings;
// column headings on the left; nothing edited in place; word wrap off; Tab leaves the list
// instead of walking its cells. Column widths are the caller's.
void SetUpReportView(QTableView* view);

// The rows of view that are selected, in ascending order.
std::vector<int> GetSelectedRows(const QTableView* view);

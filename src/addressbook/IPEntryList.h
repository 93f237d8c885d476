#pragma once

#include <QTableWidget>
#include <vector>

#include "addressbook/IPEntry.h"

// A report list of address book entries with the columns "Name" and "IP Address(es)" (the
// entry's addresses joined with "; "), as the address book pane and the group dialog show
// them. Row i shows entry i of the last Fill. The name column fits its content after each
// Fill; the address column stretches to the list's right edge.
class CIPEntryList : public QTableWidget {
  Q_OBJECT

 public:
  // Column widths in pixels before the first Fill.
  CIPEntryList(int nameWidth, int addressWidth, QWidget* parent = nullptr);

  // Shows these entries, one row each, in order; the selection is cleared.
  void Fill(const std::vector<CIPGroup>& entries);
};

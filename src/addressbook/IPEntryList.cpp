#include "addressbook/IPEntryList.h"

#include <QHeaderView>

#include "common/QtText.h"
#include "controls/ReportView.h"

CIPEntryList::CIPEntryList(int nameWidth, int addressWidth, QWidget* parent) : QTableWidget(0, 2, parent) {
  SetUpReportView(this);
  setHorizontalHeaderLabels({tr("Name"), tr("IP Address(es)")});
  setColumnWidth(0, nameWidth);
  setColumnWidth(1, addressWidth);
  // The addresses take whatever room the names leave; the list's width is not wasted.
  horizontalHeader()->setStretchLastSection(true);
}

void CIPEntryList::Fill(const std::vector<CIPGroup>& entries) {
  clearSelection();
  setRowCount(0);
  setRowCount(static_cast<int>(entries.size()));
  for (int row = 0; row < rowCount(); ++row) {
    const CIPGroup& entry = entries[static_cast<size_t>(row)];
    setItem(row, 0, new QTableWidgetItem(ToQString(entry.m_strName)));
    setItem(row, 1, new QTableWidgetItem(ToQString(GetAddressListText(entry))));
  }
  // The names fit, however long, and their column is never narrower than its heading.
  resizeColumnToContents(0);
}

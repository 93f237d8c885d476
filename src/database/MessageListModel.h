#pragma once

#include <QAbstractTableModel>

#include "message/CMsgObjDBList.h"

// The rows of the message database page over the application's message list: row i shows the
// record at position i, read when the view asks for it, so a refresh costs the same for ten
// messages as for ten thousand. The model does not own the list; the list must outlive it.
// The list may grow or shrink behind the model's back; the rows follow it at the next
// ShowRow / ShowAll, and until then a row without a record shows empty cells.
class CMessageListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CMessageListModel(CMsgList& messages, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Shows the record at position index again; an index outside the rows adds a row at the end
  // instead. Returns the row written.
  int ShowRow(int index);
  // Shows every record of the list: one row each, in list order (rows are added or removed at
  // the end as the list's length requires; selected rows stay selected).
  void ShowAll();
  // Deletes count records from position first, with their rows. Positions outside the list are
  // ignored.
  void DeleteRecords(int first, int count);

  // The record of a row; null when the row has none.
  const CMsgObjDBList* RecordAt(int row) const;

 private:
  CMsgList& m_Messages;
  int m_nRows = 0;
};

#include "database/MessageListModel.h"

#include <algorithm>
#include <climits>

#include "common/QtText.h"
#include "database/MessageRow.h"

namespace {

constexpr int kColumnCount = static_cast<int>(kMessageColumns.size());

}  // namespace

CMessageListModel::CMessageListModel(CMsgList& messages, QObject* parent)
    : QAbstractTableModel(parent), m_Messages(messages) {}

int CMessageListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_nRows;
}

int CMessageListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

const CMsgObjDBList* CMessageListModel::RecordAt(int row) const {
  if (row < 0 || row >= m_nRows || static_cast<size_t>(row) >= m_Messages.size()) return nullptr;
  return m_Messages[static_cast<size_t>(row)].get();
}

QVariant CMessageListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole) return {};
  const CMsgObjDBList* record = RecordAt(index.row());
  if (!record) return QString();
  return ToQString(GetMessageCellText(*record, index.column()));
}

QVariant CMessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role != Qt::DisplayRole) return {};
  return ToQString(kMessageColumns[static_cast<size_t>(section)].heading);
}

int CMessageListModel::ShowRow(int index) {
  if (index < 0 || index >= m_nRows) {
    index = m_nRows;
    beginInsertRows({}, index, index);
    ++m_nRows;
    endInsertRows();
    return index;
  }
  emit dataChanged(this->index(index, 0), this->index(index, kColumnCount - 1));
  return index;
}

void CMessageListModel::ShowAll() {
  const int records = static_cast<int>(std::min<size_t>(m_Messages.size(), INT_MAX));
  if (records > m_nRows) {
    beginInsertRows({}, m_nRows, records - 1);
    m_nRows = records;
    endInsertRows();
  } else if (records < m_nRows) {
    beginRemoveRows({}, records, m_nRows - 1);
    m_nRows = records;
    endRemoveRows();
  }
  if (m_nRows > 0) emit dataChanged(index(0, 0), index(m_nRows - 1, kColumnCount - 1));
}

void CMessageListModel::DeleteRecords(int first, int count) {
  const int records = static_cast<int>(std::min<size_t>(m_Messages.size(), INT_MAX));
  const int last = std::min({first + count, records, m_nRows}) - 1;
  if (first < 0 || last < first) return;
  beginRemoveRows({}, first, last);
  m_Messages.erase(m_Messages.begin() + first, m_Messages.begin() + last + 1);
  m_nRows -= last - first + 1;
  endRemoveRows();
}

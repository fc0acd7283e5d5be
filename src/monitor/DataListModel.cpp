#include "monitor/DataListModel.h"

#include "common/Text.h"
#include "records/RecordList.h"

CDataListModel::CDataListModel(const CRecordList& records, QObject* parent)
    : QAbstractTableModel(parent), m_records(records), m_nRows(static_cast<int>(records.GetSize()))
{
}

void CDataListModel::Sync()
{
    const int size = static_cast<int>(m_records.GetSize());
    if (size < m_nRows) {
        ResetRows();
        return;
    }
    if (size == m_nRows)
        return;
    beginInsertRows({}, m_nRows, size - 1);
    m_nRows = size;
    endInsertRows();
}

void CDataListModel::ResetRows()
{
    beginResetModel();
    m_nRows = static_cast<int>(m_records.GetSize());
    endResetModel();
}

int CDataListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nRows;
}

int CDataListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant CDataListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_nRows ||
        static_cast<std::size_t>(index.row()) >= m_records.GetSize())
        return {};
    const CObjData& r = m_records.GetAt(static_cast<std::size_t>(index.row()));
    switch (index.column()) {
    case 0: return QString::number(index.row() + 1);
    case 1: return QString::fromLatin1(r.m_strTime.c_str());
    case 2: return QString::fromLatin1(r.m_strUnit.c_str());
    case 3: return QString::fromLatin1(sonivel::Format("%.2f", r.m_dValue).c_str());
    default: return {};
    }
}

QVariant CDataListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kHeads[4] = {"ID", "Data Time", "Unit", "Value"};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section > 3)
        return {};
    return QString::fromLatin1(kHeads[section]);
}

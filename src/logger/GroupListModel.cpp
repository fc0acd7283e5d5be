#include "logger/GroupListModel.h"

namespace {

const char* const kHeadings[sonivel::kGroupColumns] = {"ID", "DATETIME", "UNIT", "Sampling Rate", "Nums"};

} // namespace

void CGroupListModel::SetRows(std::vector<sonivel::SGroupRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CGroupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CGroupListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : sonivel::kGroupColumns;
}

QVariant CGroupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
        return {};
    const sonivel::SGroupRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const std::string text = sonivel::GroupRowTexts(row)[static_cast<std::size_t>(index.column())];
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case GroupRole:
        return row.nGroup;
    default:
        return {};
    }
}

QVariant CGroupListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= sonivel::kGroupColumns)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kHeadings[section]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

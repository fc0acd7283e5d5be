#pragma once
#include <QAbstractTableModel>
#include <vector>

#include "logger/GroupList.h"

// The group list's rows (1035): "ID", "DATETIME", "UNIT", "Sampling Rate",
// "Nums". Each row keeps its group number (GroupRole), so selecting a row
// never re-reads the text of column 0.
class CGroupListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int GroupRole = Qt::UserRole + 1;
    static constexpr int kColumnWidths[sonivel::kGroupColumns] = {31, 120, 55, 85, 45};

    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<sonivel::SGroupRow> rows);
    const std::vector<sonivel::SGroupRow>& Rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<sonivel::SGroupRow> m_rows;
};

#pragma once
#include <QAbstractTableModel>

class CRecordList;

// The data list of the main view (list 1037): one row per record of the
// monitoring store, read straight from the store. Columns "ID", "Data Time",
// "Unit", "Value".
class CDataListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CDataListModel(const CRecordList& records, QObject* parent = nullptr);

    // Catches up with the store after records were appended (or after it was
    // emptied or replaced, which resets the rows).
    void Sync();
    // The store was emptied or replaced.
    void ResetRows();

    static constexpr int kColumnWidths[4] = {70, 200, 80, 100};

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const CRecordList& m_records;
    int m_nRows = 0;
};

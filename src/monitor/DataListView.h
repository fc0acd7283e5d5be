#pragma once
#include <QTableView>

// The data list of the main view (list 1037) as a table view that takes rows
// appended at the end of its model without painting every visible row again:
// only the new rows are painted, and a scroll that follows moves the rows
// already on screen as they are. Any other change of the model (a reset,
// rows inserted elsewhere), a hidden list and a list whose scroll bar comes
// or goes are laid out and painted whole, as a plain QTableView does. The
// owner appends through the model's beginInsertRows / endInsertRows and then
// scrolls as it likes. UI thread only.
class CDataListView : public QTableView {
    Q_OBJECT
public:
    explicit CDataListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void reset() override;
    void doItemsLayout() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Asks to paint the viewport from row's top to its bottom.
    void UpdateFrom(int row);

    static constexpr int kNone = -1;
    // The first row appended since the last layout, kNone when the pending
    // layout (if any) is not only appended rows.
    int m_nFirstAppended = kNone;
    bool m_bWholeLayout = true;
    // The first appended row not painted yet, kNone when there is none.
    int m_nRepaintFrom = kNone;
};

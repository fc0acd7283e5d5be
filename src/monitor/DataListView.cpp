#include "monitor/DataListView.h"

#include <algorithm>

#include <QHeaderView>
#include <QScrollBar>

CDataListView::CDataListView(QWidget* parent) : QTableView(parent)
{
}

void CDataListView::setModel(QAbstractItemModel* model)
{
    m_bWholeLayout = true;
    QTableView::setModel(model);
}

void CDataListView::reset()
{
    m_bWholeLayout = true;
    QTableView::reset();
}

void CDataListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    const bool appended = !parent.isValid() && model() && end == model()->rowCount() - 1;
    if (!appended)
        m_bWholeLayout = true;
    else if (m_nFirstAppended == kNone)
        m_nFirstAppended = start;
    QTableView::rowsInserted(parent, start, end);
}

void CDataListView::doItemsLayout()
{
    const int first = m_nFirstAppended;
    const bool whole = m_bWholeLayout || first == kNone || !isVisible();
    m_nFirstAppended = kNone;
    m_bWholeLayout = false;
    if (whole) {
        QTableView::doItemsLayout();
        return;
    }
    // The rows above the appended ones are as they were: the scroll bars and
    // the header follow the new row count, the rows on screen move with the
    // header's offset, and only the new rows are painted, here and again where
    // a scroll that follows brings them. A list that begins to scroll (its
    // scroll bar comes and the viewport narrows) is painted whole.
    const bool scrolling = verticalScrollBar()->isVisible();
    const int offsetBefore = verticalHeader()->offset();
    updateGeometries();
    // The header's offset as a whole layout sets it: at the end of a per-row
    // scroll the last row lies flush with the bottom.
    const QScrollBar* bar = verticalScrollBar();
    if (verticalScrollMode() != ScrollPerItem)
        verticalHeader()->setOffset(bar->value());
    else if (bar->maximum() > 0 && bar->value() == bar->maximum())
        verticalHeader()->setOffsetToLastSection();
    else
        verticalHeader()->setOffsetToSectionPosition(bar->value());
    if (!scrolling || !bar->isVisible()) {
        viewport()->update();
        return;
    }
    if (const int shift = offsetBefore - verticalHeader()->offset(); shift != 0)
        viewport()->scroll(0, shift);
    m_nRepaintFrom = first;
    UpdateFrom(first);
}

void CDataListView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (m_nRepaintFrom != kNone)
        UpdateFrom(m_nRepaintFrom);
}

void CDataListView::paintEvent(QPaintEvent* event)
{
    m_nRepaintFrom = kNone;
    QTableView::paintEvent(event);
}

void CDataListView::UpdateFrom(int row)
{
    const int top = std::max(0, rowViewportPosition(row));
    if (top < viewport()->height())
        viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
}

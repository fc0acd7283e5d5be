#include "graph/SeriesPainter.h"

#include <QPainter>
#include <algorithm>

namespace sonivel {
namespace {

QPoint PointOf(const SChartState& s, const CRecordList& records, std::size_t i)
{
    return QPoint(IndexToColumn(s, static_cast<double>(i)), LevelToRow(s, records.GetAt(i).m_dValue));
}

void DrawEverySegment(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange r)
{
    QPoint prev = PointOf(s, records, r.first);
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const QPoint cur = PointOf(s, records, i);
        p.drawLine(prev, cur);
        prev = cur;
    }
}

void DrawMergedSegments(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange r)
{
    // The column index grows with the record index, so each column's samples
    // are consecutive; their segments join end to end and together cover the
    // column from its highest to its lowest point.
    QPoint prev = PointOf(s, records, r.first);
    int top = prev.y();
    int bottom = prev.y();
    bool span = false;
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const QPoint cur = PointOf(s, records, i);
        if (cur.x() == prev.x()) {
            top = std::min(top, cur.y());
            bottom = std::max(bottom, cur.y());
            span = true;
        } else {
            if (span)
                p.drawLine(prev.x(), top, prev.x(), bottom);
            p.drawLine(prev, cur);
            top = bottom = cur.y();
            span = false;
        }
        prev = cur;
    }
    if (span)
        p.drawLine(prev.x(), top, prev.x(), bottom);
}

} // namespace

void DrawSeriesLine(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange range,
                    QColor color, bool merged)
{
    if (range.last < range.first + 2)   // one record: no segment, no marker
        return;
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
    if (merged)
        DrawMergedSegments(p, s, records, range);
    else
        DrawEverySegment(p, s, records, range);

    if (MarkersShown(s)) {
        p.setPen(QPen(color, 3));
        p.setBrush(Qt::NoBrush);
        for (std::size_t i = range.first; i < range.last; ++i)
            p.drawEllipse(PointOf(s, records, i), 1, 1);
    }
}

void DrawCursorLine(QPainter& p, const SChartState& s, int column, QColor color, int pictureWidth)
{
    if (column < -2 || column > pictureWidth + 2)
        return;
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(column, kPlotTop, column, kPlotTop + s.m_nH);
}

} // namespace sonivel

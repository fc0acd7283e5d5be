#include "graph/SeriesGeometry.h"

#include <algorithm>

namespace sonivel {

int ClampPixel(double v)
{
    return std::clamp(TruncToInt(v), -kFarPixel, kFarPixel);
}

CSeriesPoints::CSeriesPoints(const SChartState& s, const CRecordList& records)
    : m_records(records), m_xs(s.m_dXScale), m_ys(s.m_dYScale), m_yMin(s.m_dYMin), m_h(s.m_nH),
      m_xShift((s.m_dXOffset - s.m_dXMin) / s.m_dXScale), m_yShift((s.m_dYOffset - s.m_dYMin) / s.m_dYScale)
{
}

SPoint CSeriesPoints::operator()(std::size_t i) const
{
    const double v = m_records.GetAt(i).m_dValue;
    return {ClampPixel(kPlotLeft + static_cast<double>(i) / m_xs - m_xShift),
            ClampPixel(kPlotTop + m_yShift - (v - m_yMin) / m_ys + m_h)};
}

void MergeSeriesSegments(const CSeriesPoints& point, SVisibleRange r, ISeriesSink& sink)
{
    if (r.last < r.first + 2)
        return;
    // The column grows with the record index, so each column's samples are
    // consecutive; their segments join end to end and together cover the
    // column from its highest to its lowest point: one span. The segments
    // between columns are drawn as they are.
    SPoint prev = point(r.first);
    int top = prev.y;
    int bottom = prev.y;
    bool span = false;
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const SPoint cur = point(i);
        if (cur.x == prev.x) {
            top = std::min(top, cur.y);
            bottom = std::max(bottom, cur.y);
            span = true;
        } else {
            if (span)
                sink.Span(prev.x, top, bottom);
            sink.Line(prev, cur);
            top = bottom = cur.y;
            span = false;
        }
        prev = cur;
    }
    if (span)
        sink.Span(prev.x, top, bottom);
}

} // namespace sonivel

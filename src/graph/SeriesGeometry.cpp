#include "graph/SeriesGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

int CSeriesPoints::Column(std::size_t i) const
{
    return ClampPixel(kPlotLeft + static_cast<double>(i) / m_xs - m_xShift);
}

int CSeriesPoints::Row(double level) const
{
    return ClampPixel(kPlotTop + m_yShift - (level - m_yMin) / m_ys + m_h);
}

double CSeriesPoints::IndexOfColumn(double x) const
{
    return (x - kPlotLeft + m_xShift) * m_xs;
}

bool CSeriesPoints::Ordered() const
{
    // Each operation of Column and Row is then monotonic (rounding keeps the
    // order) and none can make a NaN out of a number or an infinity.
    const auto positive = [](double v) { return v > 0.0 && std::isfinite(v); };
    return positive(m_xs) && std::isfinite(m_xShift) && positive(m_ys) && std::isfinite(m_yMin)
        && std::isfinite(kPlotTop + m_yShift);
}

namespace {

// The end of the run of records from `a` on that share a's column (the first
// index of the next column, or `end`): where the inverse of Column puts it,
// checked (it is off by one at most, but for rounding), else a doubling
// search, then halving.
std::size_t ColumnEnd(const CSeriesPoints& point, std::size_t a, std::size_t end)
{
    const int x = point.Column(a);
    const auto isEnd = [&](std::size_t b) {
        return b > a && b <= end && point.Column(b - 1) == x && (b == end || point.Column(b) != x);
    };
    const double guess = std::ceil(point.IndexOfColumn(x + 1.0));
    if (guess > static_cast<double>(a) && guess <= static_cast<double>(end)) {   // false for NaN
        const auto b = static_cast<std::size_t>(guess);
        for (std::size_t candidate : {b, b + 1, b - 1})
            if (isEnd(candidate))
                return candidate;
    }
    std::size_t inside = a;   // in the column
    std::size_t beyond = end; // past it, or the end
    for (std::size_t step = 1; step < beyond - inside; step *= 2) {
        if (point.Column(inside + step) != x) {
            beyond = inside + step;
            break;
        }
        inside += step;
    }
    while (beyond - inside > 1) {
        const std::size_t mid = inside + (beyond - inside) / 2;
        (point.Column(mid) == x ? inside : beyond) = mid;
    }
    return beyond;
}

// The envelope's Extent of the levels a..b-1 (b <= its Count()), the same
// extremes, NaN flag, first and last level, with the single levels read from
// `levels` directly: for a store (a final class) that is a plain load instead
// of a call through the level interface, at up to 2 (kFan - 1) levels per
// column. The whole tier-0 cells come from the envelope.
template <class Levels>
SLevelExtent ColumnExtent(const CEnvelopePyramid& envelope, const Levels& levels, std::size_t a, std::size_t b)
{
    constexpr std::size_t kFan = CEnvelopePyramid::kFan;
    SLevelExtent e;
    const auto take = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            e.Take(levels.LevelAt(i));
    };
    e.first = levels.LevelAt(a);
    e.last = levels.LevelAt(b - 1);
    // The whole tier-0 cells of the column are [lo, hi) in levels; without
    // any, every level is read.
    const std::size_t lo = (a + kFan - 1) / kFan * kFan;
    const std::size_t hi = b / kFan * kFan;
    if (lo >= hi) {
        take(a, b);
        return e;
    }
    e.Take(envelope.CellsExtent(lo / kFan, hi / kFan));
    e.Take(e.first);
    e.Take(e.last);
    // The levels at the ends outside the whole cells, unless the cell they lie
    // in cannot change the extent (levels past the last whole cell are read).
    const std::vector<SLevelCell>& cells = envelope.Tier(0);
    const auto covered = [&](std::size_t c) {
        return c < cells.size() && cells[c].min >= e.min && cells[c].max <= e.max && (!cells[c].nan || e.nan);
    };
    if (a + 1 < lo && !covered(lo / kFan - 1))
        take(a + 1, lo);
    if (hi + 1 < b && !covered(hi / kFan))
        take(hi, b - 1);
    return e;
}

// A column's records a..b-1 from the envelope: the span over all of them
// (more than one), the first and the last for the lines to the neighbours.
template <class Levels>
void MergeFromEnvelope(const CSeriesPoints& point, const CEnvelopePyramid& envelope, const Levels& levels,
                       SVisibleRange r, ISeriesSink& sink)
{
    const int nanRow = point.Row(std::numeric_limits<double>::quiet_NaN());
    SPoint prevLast;
    for (std::size_t a = r.first; a < r.last;) {
        const std::size_t b = ColumnEnd(point, a, r.last);
        const int x = point.Column(a);
        const SLevelExtent e = ColumnExtent(envelope, levels, a, b);
        if (a > r.first)
            sink.Line(prevLast, {x, point.Row(e.first)});
        if (b - a > 1) {
            int top = e.HasNumbers() ? point.Row(e.max) : nanRow;
            int bottom = e.HasNumbers() ? point.Row(e.min) : nanRow;
            if (e.nan) {
                top = std::min(top, nanRow);
                bottom = std::max(bottom, nanRow);
            }
            sink.Span(x, top, bottom);
        }
        prevLast = {x, point.Row(e.last)};
        a = b;
    }
}

} // namespace

void MergeSeriesSegments(const CSeriesPoints& point, SVisibleRange r, ISeriesSink& sink)
{
    if (r.last < r.first + 2)
        return;
    const CEnvelopePyramid* envelope = point.Records().Envelope();
    if (envelope && r.last <= envelope->Count() && point.Ordered()) {
        if (const auto* store = dynamic_cast<const CRecordStore*>(&point.Records()))
            MergeFromEnvelope(point, *envelope, *store, r, sink);
        else
            MergeFromEnvelope(point, *envelope, point.Records(), r, sink);
    } else
        MergeEveryRecord(point, r, sink);
}

void MergeEveryRecord(const CSeriesPoints& point, SVisibleRange r, ISeriesSink& sink)
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

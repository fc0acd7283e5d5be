#include "graph/ChartMouse.h"

#include <cstdlib>

namespace sonivel {
namespace {

// The record under column x when it exists.
std::optional<int> RecordAt(const SChartState& s, int x, std::size_t n)
{
    const long long i = ColumnToIndex(s, x);
    if (i < 0 || static_cast<unsigned long long>(i) >= n)
        return std::nullopt;
    return static_cast<int>(i);
}

// Cursor A anywhere over a record; cursor B only right of A.
std::optional<SCursorNotice> CursorAt(const SChartState& s, int x, std::size_t n)
{
    const std::optional<int> i = RecordAt(s, x, n);
    if (!i)
        return std::nullopt;
    if (s.m_nCursorState == kCursorWaitA)
        return SCursorNotice{kCursorANotice, *i};
    if (s.m_nCursorState == kCursorWaitB && *i > s.m_nCursorA)
        return SCursorNotice{kCursorBNotice, *i};
    return std::nullopt;
}

} // namespace

std::optional<SCursorNotice> OnLeftDown(SChartState& s, int x, int y, std::size_t n)
{
    if (!InsidePlot(s, x, y))
        return std::nullopt;
    s.m_ptAnchor = {x, y};
    s.m_ptDrag = {x, y};
    s.m_bDragging = true;
    const std::optional<SCursorNotice> c = CursorAt(s, x, n);
    if (!c)
        return std::nullopt;
    if (c->which == kCursorANotice) {
        s.m_nCursorA = c->index;
        s.m_nCursorState = kCursorWaitB;
    } else {
        s.m_nCursorB = c->index;
        s.m_nCursorState = kCursorIdle;
    }
    return c;
}

SMoveResult OnMouseMove(SChartState& s, int x, int y, std::size_t n)
{
    SMoveResult r;
    const bool inside = InsidePlot(s, x, y);
    if (s.m_bDragging && inside && s.m_nCursorState == kCursorIdle) {
        s.m_bBandShown = true;
        s.m_ptDragCopy = {x, y};
        s.m_ptDrag = {x, y};
        r.repaint = ERepaint::OverlayOnly;
    } else if (s.m_nCursorState > kCursorIdle && inside) {
        r.repaint = ERepaint::OverlayOnly;
        r.trackAfterRedraw = SPoint{x, y};
        r.cursor = CursorAt(s, x, n);
    }
    if (inside) {
        const std::optional<int> i = RecordAt(s, x, n);
        if (i && *i > 0)
            r.indication = *i;
    }
    return r;
}

void ZoomTo(SChartState& s, int x, int y)
{
    const SPoint a = s.m_ptAnchor;
    if (s.m_dXScale > 0.005) {
        // The right limit lies five pixels past the plot edge.
        if (x < kPlotLeft)
            x = kPlotLeft;
        if (x > s.m_nW + 50)
            x = s.m_nW + 50;
        s.m_dXOffset += ((a.x < x ? a.x : x) - kPlotLeft) * s.m_dXScale;
        s.m_dXScale = std::abs(x - a.x) * s.m_dXScale / s.m_nW;
    }
    if (s.m_dYScale > 0.005) {
        if (y < kPlotTop)
            y = kPlotTop;
        if (y > s.m_nH + kPlotTop)
            y = s.m_nH + kPlotTop;
        s.m_dYOffset += (s.m_nH - (a.y > y ? a.y : y) + kPlotTop) * s.m_dYScale;
        s.m_dYScale = std::abs(y - a.y) * s.m_dYScale / s.m_nH;
    }
    s.m_bZoomed = true;
}

bool OnLeftUp(SChartState& s, int x, int y)
{
    bool zoomed = false;
    if (s.m_bDragging && std::abs(x - s.m_ptAnchor.x) > 5 && std::abs(y - s.m_ptAnchor.y) > 5
        && s.m_nCursorState == kCursorIdle) {
        ZoomTo(s, x, y);
        zoomed = true;
    }
    s.m_bDragging = false;
    s.m_bBandShown = false;
    s.m_ptAnchor = {};
    s.m_ptDrag = {};
    s.m_ptDragCopy = {};
    return zoomed;
}

bool OnDoubleClick(SChartState& s, int x, int y)
{
    if (!InsidePlot(s, x, y))
        return false;
    s.m_nCursorA = -1;
    s.m_nCursorB = -1;
    s.m_nCursorState = kCursorWaitA;
    s.m_ptTrack = {};
    return true;
}

void OnRightUp(SChartState& s)
{
    s.m_nCursorState = kCursorIdle;
    s.m_nCursorA = -1;
    s.m_nCursorB = -1;
    s.m_ptTrack = {};
}

} // namespace sonivel

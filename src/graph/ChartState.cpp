#include "graph/ChartState.h"

#include <climits>
#include <cmath>

namespace sonivel {

namespace {

long long TruncToLong(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 9.0e18)
        return static_cast<long long>(9.0e18);
    if (v <= -9.0e18)
        return static_cast<long long>(-9.0e18);
    return static_cast<long long>(v);
}

} // namespace

int CursorColumn(const SChartState& s, int i)
{
    const int rel = TruncToInt(i / s.m_dXScale - (s.m_dXOffset - s.m_dXMin) / s.m_dXScale);
    return rel > INT_MAX - kPlotLeft ? INT_MAX : rel + kPlotLeft;
}

long long ColumnToIndex(const SChartState& s, int px)
{
    const double xs = s.m_dXScale;
    return TruncToLong(xs * ((px - kPlotLeft) + (s.m_dXOffset - s.m_dXMin) / xs + 1.0 / (2.0 * xs)));
}

bool InsidePlot(const SChartState& s, int x, int y)
{
    return x > kPlotLeft && x < s.m_nW + kPlotLeft && y > kPlotTop && y < s.m_nH + kPlotTop;
}

SScaleNotice MakeScaleNotice(const SChartState& s)
{
    SScaleNotice n;
    n.wParam = static_cast<std::uint32_t>(static_cast<unsigned long long>(TruncToLong(s.m_dYScale * 10000.0)));
    n.lParam = TruncToInt(s.m_dYOffset * 10000.0);
    return n;
}

namespace {

void SetPlotSize(SChartState& s, int width, int height)
{
    // A control not laid out yet may be smaller than its margins; a plot of at
    // least one pixel keeps every scale finite.
    s.m_nW = width - kMarginWidth > 0 ? width - kMarginWidth : 1;
    s.m_nH = height - kMarginHeight > 0 ? height - kMarginHeight : 1;
}

void SetScalesFromRanges(SChartState& s)
{
    s.m_dXScale = (s.m_dXMax - s.m_dXMin) / s.m_nW;
    s.m_dYScale = (s.m_dYMax - s.m_dYMin) / s.m_nH;
}

// The plot size for the control's size, the ranges 0-130 dB from record 0 up
// to the current m_dXMax, and the offsets at the ranges' start.
void SetDefaultRanges(SChartState& s, int width, int height)
{
    SetPlotSize(s, width, height);
    s.m_dXMin = 0.0;
    s.m_dYMax = 130.0;
    s.m_dYMin = 0.0;
    SetScalesFromRanges(s);
    s.m_dXOffset = 0.0;
    s.m_dYOffset = s.m_dYMin;
}

} // namespace

void SetInitialView(SChartState& s, int clientWidth, int clientHeight)
{
    s.m_dXMax = 20.0;
    SetDefaultRanges(s, clientWidth, clientHeight);
}

void ResetGeometry(SChartState& s, int width, int height)
{
    SetDefaultRanges(s, width, height);
    s.m_bZoomed = false;
}

int FitOrFollow(SChartState& s, std::size_t n, const std::function<void()>& onScaleStep)
{
    if (n == 0)
        return 0;
    const double newest = static_cast<double>(n - 1);
    int notices = 0;
    if (!s.m_bZoomed) {
        while (newest > s.m_dXMax) {
            const double before = s.m_dXMax;
            const double span = s.m_nW * s.m_dXScale;
            s.m_dXScale = (span / 15.0 + span) / s.m_nW;
            s.m_dXMax = s.m_nW * s.m_dXScale;
            if (onScaleStep)
                onScaleStep();
            ++notices;
            if (!(s.m_dXMax > before))   // a zero or broken scale cannot grow
                break;
        }
    } else if (newest - s.m_dXOffset >= s.m_nW * s.m_dXScale && s.m_bFollow && !s.m_bDragging) {
        s.m_dXOffset += 1.0;
        s.m_dXMax = newest;
        if (onScaleStep)
            onScaleStep();
        ++notices;
    }
    return notices;
}

SVisibleRange VisibleRange(const SChartState& s, std::size_t n)
{
    SVisibleRange r;
    const long long last = TruncToLong(s.m_nW * s.m_dXScale + s.m_dXOffset + 2.0);
    const long long first = TruncToLong(s.m_dXOffset);
    r.last = last <= 0 ? 0 : (static_cast<unsigned long long>(last) > n ? n : static_cast<std::size_t>(last));
    r.first = first <= 0 ? 0 : static_cast<std::size_t>(first);
    if (r.first > r.last)
        r.first = r.last;
    return r;
}

bool MarkersShown(const SChartState& s)
{
    return 2.0 / s.m_dXScale > 6.0;
}

} // namespace sonivel

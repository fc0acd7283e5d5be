#include "graph/ChartScroll.h"

namespace sonivel {
namespace {

int VisibleLevelSpan(const SChartState& s) { return TruncToInt(s.m_nH * s.m_dYScale); }

// How far the horizontal bar can move. In fit mode the plot spans the whole
// sample range by construction (W x xs, equal to the x maximum but for the
// rounding of xs), so there is nothing to scroll.
double HorizontalLimit(const SChartState& s)
{
    return s.m_bZoomed ? s.m_dXMax - TruncToInt(s.m_nW * s.m_dXScale) : 0.0;
}

std::optional<int> Step(EScrollCode code, int current, int thumb, double limit)
{
    switch (code) {
    case EScrollCode::LineBack:
        return current > 0 ? current - 1 : current;
    case EScrollCode::LineForward:
        return limit > current ? current + 1 : current;
    case EScrollCode::ThumbPosition:
        return thumb;
    case EScrollCode::Other:
        break;
    }
    return std::nullopt;
}

} // namespace

SScrollBars ScrollBarsFor(const SChartState& s)
{
    SScrollBars b;
    const int vs = VisibleLevelSpan(s);
    b.vMax = TruncToInt(s.m_dYMax - vs);
    b.vPos = TruncToInt(s.m_dYMax - vs - s.m_dYOffset);
    b.hMax = TruncToInt(HorizontalLimit(s));
    b.hPos = TruncToInt(s.m_dXOffset);
    return b;
}

std::optional<int> ScrollVertical(SChartState& s, EScrollCode code, int current, int thumb)
{
    const int vs = VisibleLevelSpan(s);
    const std::optional<int> p = Step(code, current, thumb, s.m_dYMax - vs);
    if (p)
        s.m_dYOffset = s.m_dYMax - vs - *p;
    return p;
}

std::optional<int> ScrollHorizontal(SChartState& s, EScrollCode code, int current, int thumb)
{
    const std::optional<int> p = Step(code, current, thumb, HorizontalLimit(s));
    if (p)
        s.m_dXOffset = *p;
    return p;
}

} // namespace sonivel

#include "graph/ChartScroll.h"

namespace sonivel {
namespace {

int VisibleLevelSpan(const SChartState& s) { return TruncToInt(s.m_nH * s.m_dYScale); }
int VisibleSampleSpan(const SChartState& s) { return TruncToInt(s.m_nW * s.m_dXScale); }

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
    const int hs = VisibleSampleSpan(s);
    b.hMax = TruncToInt(s.m_dXMax - hs);
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
    const std::optional<int> p = Step(code, current, thumb, s.m_dXMax - VisibleSampleSpan(s));
    if (p)
        s.m_dXOffset = *p;
    return p;
}

} // namespace sonivel

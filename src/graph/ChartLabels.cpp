#include "graph/ChartLabels.h"

#include "common/Text.h"

namespace sonivel {

std::array<std::string, 11> LevelLabels(const SChartState& s)
{
    std::array<std::string, 11> labels;
    for (int r = 0; r <= 10; ++r)
        labels[r] = Format("%.2f", r * s.m_nH / 10.0 * s.m_dYScale + s.m_dYOffset);
    return labels;
}

int LevelRow(const SChartState& s, int r)
{
    return s.m_nH + kPlotTop - (r * s.m_nH) / 10;
}

std::optional<std::array<std::string, 11>> HiddenLevelTexts(std::uint32_t wParam, std::int32_t lParam,
                                                            int controlHeight)
{
    const double yo = lParam / 10000.0;
    if (yo < 0)
        return std::nullopt;
    const double ys = wParam / 10000.0;
    const int h = controlHeight - 15;
    std::array<std::string, 11> texts;
    for (int k = 0; k <= 10; ++k)
        texts[k] = Format("%.2f", h * k / 10.0 * ys + yo);
    return texts;
}

} // namespace sonivel

#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "graph/ChartState.h"

namespace sonivel {

// The eleven level labels of the vertical axis, from the bottom (r = 0) to the
// top (r = 10): "%.2f" of (r * H / 10) * ys + yo.
std::array<std::string, 11> LevelLabels(const SChartState& s);
// The row of grid line and label r: H + 10 - (r * H) div 10.
int LevelRow(const SChartState& s, int r);

// The texts of the parent's hidden level statics for a scale notice, computed
// from the control's height minus 15; nothing when the offset is negative.
std::optional<std::array<std::string, 11>> HiddenLevelTexts(std::uint32_t wParam, std::int32_t lParam,
                                                            int controlHeight);

} // namespace sonivel

#pragma once
#include <optional>

#include "graph/ChartState.h"

namespace sonivel {

// Ranges and positions of the parent's two scroll bars (both start at 0).
// The vertical bar counts from the top: position 0 shows the highest levels.
struct SScrollBars {
    int vMax = 0;
    int vPos = 0;
    int hMax = 0;
    int hPos = 0;
};
SScrollBars ScrollBarsFor(const SChartState& s);

// A scroll request: line up/left, line down/right, the thumb released at a
// position; anything else (page steps, thumb tracking) changes nothing.
enum class EScrollCode { LineBack, LineForward, ThumbPosition, Other };

// The new bar position for a request on the vertical bar at position current,
// with the y offset moved to match; nullopt when the code changes nothing.
std::optional<int> ScrollVertical(SChartState& s, EScrollCode code, int current, int thumb);
// The same for the horizontal bar; the x offset becomes the position.
std::optional<int> ScrollHorizontal(SChartState& s, EScrollCode code, int current, int thumb);

} // namespace sonivel

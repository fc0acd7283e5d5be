#pragma once
#include <cstddef>
#include <optional>

#include "graph/ChartState.h"

namespace sonivel {

// What the chart's mouse handling tells its parent.
inline constexpr int kCursorANotice = -1;   // which: cursor A placed or moving
inline constexpr int kCursorBNotice = -2;   // which: cursor B placed or moving

struct SCursorNotice {
    int which = kCursorANotice;
    int index = 0;
    bool operator==(const SCursorNotice&) const = default;
};

// Left button down at (x, y) over n records: starts a drag inside the plot and
// places cursor A (waiting for A) or cursor B (waiting for B, only right of A).
std::optional<SCursorNotice> OnLeftDown(SChartState& s, int x, int y, std::size_t n);

// How much of the chart a change asks to be drawn again: nothing, only what
// moves over the chart (zoom band, cursor lines, tracking line), or the whole
// chart (grid, axes, labels and series as well).
enum class ERepaint { None, OverlayOnly, Recompose };

// What a pointer move asks of the control, in this order: repaint, then set
// the tracking point (so the line drawn shows the previous move's position),
// then the cursor notice, then the indication. A move changes only the band
// and the tracking line, so it never asks for a recompose.
struct SMoveResult {
    ERepaint repaint = ERepaint::None;
    std::optional<SPoint> trackAfterRedraw;
    std::optional<SCursorNotice> cursor;
    std::optional<int> indication;   // record under the pointer; never record 0
};
SMoveResult OnMouseMove(SChartState& s, int x, int y, std::size_t n);

// Left button up: zooms to the dragged rectangle when it is more than five
// pixels wide and high and no cursor is being placed, then ends the drag.
// Returns true when it zoomed (the scale notice is then due). The control
// redraws in every case.
bool OnLeftUp(SChartState& s, int x, int y);

// The zoom arithmetic alone, for the release point (x, y): the rectangle's
// left edge becomes the plot's left edge and its lower edge the bottom.
void ZoomTo(SChartState& s, int x, int y);

// Double-click inside the plot arms the cursors: A and B cleared, waiting for A.
// Returns whether it did.
bool OnDoubleClick(SChartState& s, int x, int y);

// Right button up anywhere: cursors cleared, idle. The control redraws.
void OnRightUp(SChartState& s);

} // namespace sonivel

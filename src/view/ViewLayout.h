#pragma once
#include <vector>

// The rules that place the form's controls for the font in use, and the graph,
// the data list, the scroll bars and the "Real Time Graph" group when the main
// view changes size. Pure arithmetic.
namespace sonivel::view {

struct SRect {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }    // one past the last column
    int Bottom() const { return y + h; }   // one past the last row
    bool operator==(const SRect&) const = default;
};

inline constexpr int kMinClientWidth = 800;
inline constexpr int kMinClientHeight = 550;

struct SViewLayout {
    SRect graph;        // the graph 1010 and the data list 1037 share it
    SRect vbar;         // 1039
    SRect hbar;         // 1038
    SRect graphGroup;   // 1058 "Real Time Graph"
};

// A control of one band of the form (rows that belong together): its designed
// left edge and width, and the width its text needs in the font in use.
struct SFlowItem {
    int x = 0, w = 0;
    int need = 0;
};

struct SSpan {
    int x = 0, w = 0;
    bool operator==(const SSpan&) const = default;
};

// The places of a band's controls, in the order given: each control is as wide
// as its text needs but never narrower than designed, and moves right by as
// much as the controls that lie wholly left of its designed place (in any row
// of the band) have grown or moved, so designed gaps and columns stay. A group
// box takes part as two zero-width items, its left and its right border.
std::vector<SSpan> FlowBand(const std::vector<SFlowItem>& items);

// cursorGroup: the "Cursor" group 1061 in view coordinates; the client size is
// taken as at least 800 x 550.
SViewLayout LayoutView(const SRect& cursorGroup, int clientWidth, int clientHeight);

} // namespace sonivel::view

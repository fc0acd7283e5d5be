#pragma once

// The rules that place the graph, the data list, the scroll bars and the
// "Real Time Graph" group when the main view changes size. Pure arithmetic.
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

// cursorGroup: the "Cursor" group 1061 in view coordinates; the client size is
// taken as at least 800 x 550.
SViewLayout LayoutView(const SRect& cursorGroup, int clientWidth, int clientHeight);

} // namespace sonivel::view

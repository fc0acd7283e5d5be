#include "view/ViewLayout.h"

#include <algorithm>

namespace sonivel::view {

SViewLayout LayoutView(const SRect& r, int clientWidth, int clientHeight)
{
    const int w = std::max(clientWidth, kMinClientWidth);
    const int h = std::max(clientHeight, kMinClientHeight);
    // A window rectangle's bottom is its top plus its height.
    const int below = r.Bottom() + 5;
    SViewLayout l;
    l.graph = {r.x, below, w - r.x - 42, h - r.Bottom() - 60};
    l.vbar = {w - 42, below, 15, h - r.Bottom() - 60};
    l.hbar = {r.x, h - 35, w - r.x - 42, 15};
    l.graphGroup = {r.x - 10, 10, w - r.x, h - 20};
    return l;
}

} // namespace sonivel::view

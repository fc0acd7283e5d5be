#include "view/ViewLayout.h"

#include <algorithm>
#include <numeric>

namespace sonivel::view {

std::vector<SSpan> FlowBand(const std::vector<SFlowItem>& items)
{
    // Left to right by designed place; a zero-width border before a control
    // that starts where it stands.
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return items[a].x != items[b].x ? items[a].x < items[b].x : items[a].w < items[b].w;
    });
    std::vector<SSpan> placed(items.size());
    std::vector<std::size_t> done;
    for (std::size_t i : order) {
        const SFlowItem& item = items[i];
        int shift = 0;
        for (std::size_t j : done) {
            const int designedRight = items[j].x + items[j].w;
            if (designedRight <= item.x)
                shift = std::max(shift, placed[j].x + placed[j].w - designedRight);
        }
        placed[i] = {item.x + shift, std::max(item.w, item.need)};
        done.push_back(i);
    }
    return placed;
}

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

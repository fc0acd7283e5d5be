#include <gtest/gtest.h>

#include "view/ViewLayout.h"

using sonivel::view::LayoutView;
using sonivel::view::SRect;

namespace {
// The cursor group as the form places it.
const SRect kCursor{214, 132, 558, 97};
} // namespace

TEST(ViewLayout, PlacesGraphBarsAndGroupFromTheCursorGroup)
{
    const auto l = LayoutView(kCursor, 1200, 900);
    const int below = kCursor.Bottom() + 5;
    EXPECT_EQ(l.graph, (SRect{214, below, 1200 - 214 - 42, 900 - kCursor.Bottom() - 60}));
    EXPECT_EQ(l.vbar, (SRect{1200 - 42, below, 15, 900 - kCursor.Bottom() - 60}));
    EXPECT_EQ(l.hbar, (SRect{214, 900 - 35, 1200 - 214 - 42, 15}));
    EXPECT_EQ(l.graphGroup, (SRect{204, 10, 1200 - 214, 880}));
    // The bar lies right against the graph, the horizontal bar under it.
    EXPECT_EQ(l.graph.Right(), l.vbar.x);
    EXPECT_LE(l.graph.Bottom(), l.hbar.y);
}

TEST(ViewLayout, SmallerClientsKeepTheSizesOf800By550)
{
    const auto at800 = LayoutView(kCursor, 800, 550);
    for (auto [w, h] : {std::pair{640, 480}, std::pair{799, 549}, std::pair{0, 0}, std::pair{300, 900}}) {
        const auto l = LayoutView(kCursor, w, h);
        EXPECT_EQ(l.graph.w, at800.graph.w);
        EXPECT_EQ(l.vbar.x, at800.vbar.x);
        EXPECT_EQ(l.graphGroup.w, at800.graphGroup.w);
        if (h < 550) {
            EXPECT_EQ(l.graph, at800.graph);
            EXPECT_EQ(l.hbar, at800.hbar);
        }
    }
    EXPECT_GT(at800.graph.h, 0);
}

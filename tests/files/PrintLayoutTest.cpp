#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "files/PrintLayout.h"

using namespace sonivel;

namespace {

// An A4 page at 1200 dpi less margins, and a line pitch of the printout font.
const SPageUnits kPage = PageUnits(9437, 13628);
constexpr int kN = 192;

SChartState Chart()
{
    SChartState c;
    SetInitialView(c, 790, 330);   // plot 700 x 300, 0..20 samples, 0..130 dB
    return c;
}

} // namespace

TEST(PrintLayout, FooterTimeHasNoLeadingZerosAndRowsPerPageStaysPositive)
{
    EXPECT_EQ(PrintTimeText(testsupport::LocalMoment(2026, 7, 2, 5, 9, 3)), "Time: 2026-7-2  5:9:3");
    EXPECT_EQ(RowsPerPage(kPage, 0), 1);
    EXPECT_EQ(RowsPerPage(PageUnits(100, 100), 1000), 1);
}

TEST(PrintLayout, FirstPageRowsStartBelowTheStatisticsAndEndOnTheLastLine)
{
    const int R = RowsPerPage(kPage, kN);
    const int J = kPage.J;
    const std::size_t n = 1000;
    EXPECT_EQ(PlaceRecord(0, n, R, kPage, kN).y, J + 8 * kN);
    // The record with c = R closes page 1 on its last line; the next one opens page 2.
    const SRowPlace closing = PlaceRecord(static_cast<std::size_t>(R - 7), n, R, kPage, kN);
    EXPECT_EQ(closing.page, 0);
    EXPECT_EQ(closing.y, J + (R + 1) * kN);
    EXPECT_TRUE(closing.closesPage);
    const SRowPlace opening = PlaceRecord(static_cast<std::size_t>(R - 6), n, R, kPage, kN);
    EXPECT_EQ(opening.page, 1);
    EXPECT_EQ(opening.y, J + 2 * kN);
    EXPECT_FALSE(opening.closesPage);
}

TEST(PrintLayout, EveryRecordOnceOnDistinctLinesAndNoEmptyLastPage)
{
    for (const int R : {9, 20, 66}) {
        for (std::size_t n = 1; n <= 3u * static_cast<std::size_t>(R) + 2; ++n) {
            std::map<int, std::set<int>> linesByPage;
            int lastPage = 0;
            int breaks = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const SRowPlace p = PlaceRecord(i, n, R, kPage, kN);
                ASSERT_GE(p.page, lastPage);
                // Below the column heads, at most on the last line.
                const int firstLine = p.page == 0 ? kPage.J + 8 * kN : kPage.J + 2 * kN;
                ASSERT_GE(p.y, firstLine) << "R " << R << " n " << n << " i " << i;
                ASSERT_LE(p.y, kPage.J + (R + 1) * kN);
                ASSERT_TRUE(linesByPage[p.page].insert(p.y).second) << "two rows on one line";
                // Lines go down the page in record order.
                if (i > 0 && p.page == lastPage) {
                    ASSERT_GT(p.y, PlaceRecord(i - 1, n, R, kPage, kN).y);
                }
                breaks += p.closesPage;
                lastPage = p.page;
            }
            ASSERT_FALSE(PlaceRecord(n - 1, n, R, kPage, kN).closesPage);
            ASSERT_EQ(PageCount(n, R), lastPage + 1) << "R " << R << " n " << n;
            ASSERT_EQ(breaks, lastPage);
        }
    }
    EXPECT_EQ(PageCount(60, 66), 1);   // n + 6 = R fills page 1 exactly
    EXPECT_EQ(PageCount(61, 66), 2);
}

TEST(PrintGraphLayout, PlotSpansThePageLessTheMarginsFromTopToMiddle)
{
    const SChartState c = Chart();
    const SGraphPage g = GraphPageGeometry(c, kPage.hres, kPage.vres);
    const int margin = 8 * (kPage.vres / 130);
    EXPECT_EQ(g.left, margin);
    EXPECT_EQ(g.top, 4 * (kPage.vres / 80));
    EXPECT_NEAR(PrintedPlotRight(g, c), kPage.hres - margin, 1);
    EXPECT_NEAR(PrintedPlotBottom(g, c), kPage.vres / 2, 1);

    // The sample at the left edge and the bottom level land on the plot's corner;
    // the top of the level range on its top edge.
    EXPECT_EQ(PrintedPoint(g, c, 0, 0.0).x, g.left);
    EXPECT_NEAR(PrintedPoint(g, c, 0, 0.0).y, kPage.vres / 2, 1);
    EXPECT_NEAR(PrintedPoint(g, c, 0, 130.0).y, g.top, 1);
    EXPECT_NEAR(PrintedPoint(g, c, 20, 65.0).x, PrintedPlotRight(g, c), 1);

    EXPECT_EQ(PrintedLevelLabel(c, 10), "0.0");
    EXPECT_EQ(PrintedLevelLabel(c, 5), "65.0");
    EXPECT_EQ(PrintedLevelLabel(c, 0), "130.0");
    EXPECT_EQ(PrintedLevelRow(g, c, 0), g.top);
    EXPECT_EQ(PrintedLevelRow(g, c, 10), PrintedPlotBottom(g, c));
    EXPECT_EQ(PrintedTickColumn(g, c, 0), g.left);
}

TEST(PrintGraphLayout, ZoomAndScrollMoveThePrintedPoints)
{
    SChartState c = Chart();
    c.m_dXScale /= 4;   // four times the pixels per sample
    c.m_dXOffset = 10;  // scrolled to sample 10
    c.m_dYOffset = 40;
    c.m_dYScale /= 2;
    const SGraphPage g = GraphPageGeometry(c, kPage.hres, kPage.vres);
    EXPECT_EQ(PrintedPoint(g, c, 10, 40.0).x, g.left);
    EXPECT_NEAR(PrintedPoint(g, c, 10, 40.0).y, PrintedPlotBottom(g, c), 1);
    EXPECT_NEAR(PrintedPoint(g, c, 15, 105.0).x, PrintedPlotRight(g, c), 1);
    EXPECT_NEAR(PrintedPoint(g, c, 15, 105.0).y, g.top, 1);
    EXPECT_EQ(PrintedLevelLabel(c, 10), "40.0");
    EXPECT_EQ(PrintedLevelLabel(c, 0), "105.0");
}

TEST(PrintGraphLayout, AbsurdLevelsStayOnTheIntRange)
{
    const SChartState c = Chart();
    const SGraphPage g = GraphPageGeometry(c, kPage.hres, kPage.vres);
    EXPECT_EQ(PrintedPoint(g, c, 0, NAN).y, g.top);
    EXPECT_GT(PrintedPoint(g, c, 0, -1e300).y, kPage.vres);
}

TEST(PrintGraphLayout, PrintedSeriesKeepsEachColumnsSpanWithAtMostTwoPointsPerColumn)
{
    // 30 records: a column each, so the printed points are the records'.
    // 100,000: each column's points reach exactly the rows its records reach.
    for (const std::size_t n : {std::size_t{30}, std::size_t{100000}}) {
        CRecordStore store;
        for (std::size_t i = 0; i < n; ++i) {
            const double level = i == n / 2 ? NAN : 40.0 + static_cast<double>((i * 37) % 600) / 10.0;
            store.Add(CObjData(level, "05-12-2011,14:00:00", "dBA", 0, 1.0));
        }
        SChartState c = Chart();
        FitOrFollow(c, n, {});
        const SGraphPage g = GraphPageGeometry(c, kPage.hres, kPage.vres);
        const std::vector<SPoint> series = PrintedSeries(g, c, store);

        std::map<int, std::pair<int, int>> records;   // column: top, bottom
        std::vector<SPoint> each;
        for (std::size_t i = 0; i < n; ++i) {
            const SPoint p = PrintedPoint(g, c, i, store.GetAt(i).m_dValue);
            each.push_back(p);
            const auto [it, fresh] = records.emplace(p.x, std::pair{p.y, p.y});
            it->second = {std::min(it->second.first, p.y), std::max(it->second.second, p.y)};
        }
        if (n == 30) {
            EXPECT_EQ(series, each);
            continue;
        }
        std::map<int, std::pair<int, int>> printed;
        for (const SPoint& p : series) {
            const auto [it, fresh] = printed.emplace(p.x, std::pair{p.y, p.y});
            it->second = {std::min(it->second.first, p.y), std::max(it->second.second, p.y)};
        }
        EXPECT_EQ(printed, records);
        EXPECT_LE(series.size(), 2 * records.size());
        EXPECT_GT(n, 4 * records.size());   // many records per column
    }
}

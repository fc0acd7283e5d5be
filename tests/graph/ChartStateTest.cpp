#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "graph/ChartLabels.h"
#include "graph/ChartMouse.h"
#include "graph/ChartScroll.h"
#include "graph/ChartState.h"
#include "graph/CursorStats.h"
#include "GraphTestData.h"

using namespace sonivel;

namespace {

// A chart whose plot is W x H pixels, set as the owner's initial update does.
SChartState Chart(int w, int h)
{
    SChartState s;
    SetInitialView(s, w + kMarginWidth, h + kMarginHeight);
    return s;
}

} // namespace

TEST(ChartGeometry, CoordinateRulesMapIndexesLevelsAndColumns)
{
    SChartState s = Chart(1000, 650);   // 0.02 samples and 0.2 dB per pixel
    EXPECT_EQ(IndexToColumn(s, 0), 45);
    EXPECT_EQ(IndexToColumn(s, 20), 1045);
    EXPECT_EQ(LevelToRow(s, 0.0), 660);    // bottom edge shows the y offset
    EXPECT_EQ(LevelToRow(s, 130.0), 10);
    EXPECT_EQ(ColumnToIndex(s, 45), 0);
    EXPECT_EQ(ColumnToIndex(s, 45 + 74), 1);   // 1.48 rounds down
    EXPECT_EQ(ColumnToIndex(s, 45 + 75), 2);   // 1.5 rounds half up
    s.m_dXOffset = 10.0;
    EXPECT_EQ(IndexToColumn(s, 10), 45);
    EXPECT_EQ(CursorColumn(s, 9), -5);
    EXPECT_TRUE(InsidePlot(s, 46, 11));
    EXPECT_FALSE(InsidePlot(s, 45, 100));
    EXPECT_FALSE(InsidePlot(s, 1045, 100));
    EXPECT_FALSE(InsidePlot(s, 100, 660));
}

TEST(ChartGeometry, ResetViewKeepsTheSpanAndReturnsToFitMode)
{
    SChartState s = Chart(300, 200);
    s.m_dXMax = 50;
    s.m_dXOffset = 7;
    s.m_dYOffset = 30;
    s.m_bZoomed = true;
    ResetGeometry(s, 590, 330);
    EXPECT_EQ(s.m_nW, 500);
    EXPECT_EQ(s.m_nH, 300);
    EXPECT_DOUBLE_EQ(s.m_dXScale, 50.0 / 500);
    EXPECT_DOUBLE_EQ(s.m_dYScale, 130.0 / 300);
    EXPECT_EQ(s.m_dXOffset, 0);
    EXPECT_EQ(s.m_dYOffset, 0);
    EXPECT_FALSE(s.m_bZoomed);
    ResetGeometry(s, 10, 10);   // smaller than the margins: scales stay finite
    EXPECT_TRUE(std::isfinite(s.m_dXScale));
    EXPECT_TRUE(std::isfinite(s.m_dYScale));
}

TEST(ChartFit, SpanGrowsBySixteenFifteenthsUntilTheNewestRecordFits)
{
    SChartState s = Chart(600, 300);
    int steps = 0;
    EXPECT_EQ(FitOrFollow(s, 21, [&] { ++steps; }), 0);   // n - 1 == x maximum: unchanged
    EXPECT_EQ(s.m_dXMax, 20.0);
    EXPECT_EQ(FitOrFollow(s, 22, [&] { ++steps; }), 1);
    EXPECT_EQ(steps, 1);
    EXPECT_DOUBLE_EQ(s.m_dXMax, 20.0 * 16 / 15);
    EXPECT_DOUBLE_EQ(s.m_dXScale * s.m_nW, s.m_dXMax);

    double expected = s.m_dXMax;
    int expectedSteps = 0;
    while (expected < 999) {
        expected = expected * 16 / 15;
        ++expectedSteps;
    }
    steps = 0;
    EXPECT_EQ(FitOrFollow(s, 1000, [&] { ++steps; }), expectedSteps);
    EXPECT_EQ(steps, expectedSteps);
    EXPECT_NEAR(s.m_dXMax, expected, 1e-9);
    EXPECT_GE(s.m_dXMax, 999);
}

TEST(ChartFit, ABrokenZeroScaleDoesNotLoopForever)
{
    SChartState s = Chart(600, 300);
    s.m_dXScale = 0.0;
    EXPECT_EQ(FitOrFollow(s, 100, nullptr), 1);
}

TEST(ChartFollow, ZoomedRunAdvancesOneSampleWhenTheNewestReachesTheRightEdge)
{
    SChartState s = Chart(100, 100);
    s.m_bZoomed = true;
    s.m_dXScale = 0.1;   // 10 samples visible
    s.m_bFollow = true;
    EXPECT_EQ(FitOrFollow(s, 10, nullptr), 0);   // newest 9 inside
    EXPECT_EQ(FitOrFollow(s, 11, nullptr), 1);   // newest 10 at the edge
    EXPECT_EQ(s.m_dXOffset, 1.0);
    EXPECT_EQ(s.m_dXMax, 10.0);
    s.m_bDragging = true;
    EXPECT_EQ(FitOrFollow(s, 12, nullptr), 0);
    s.m_bDragging = false;
    s.m_bFollow = false;
    EXPECT_EQ(FitOrFollow(s, 12, nullptr), 0);
}

TEST(ChartSeries, VisibleRangeAndMarkers)
{
    SChartState s = Chart(100, 100);   // 0.2 samples per pixel
    EXPECT_EQ(VisibleRange(s, 5).last, 5u);
    EXPECT_EQ(VisibleRange(s, 500).last, 22u);   // trunc(20 + 0 + 2)
    s.m_dXOffset = 3.7;
    EXPECT_EQ(VisibleRange(s, 500).first, 3u);
    EXPECT_EQ(VisibleRange(s, 500).last, 25u);
    // Markers at more than three pixels per sample, never at three or fewer.
    const struct {
        double pixelsPerSample;
        bool markers;
    } cases[] = {{0.5, false}, {2, false}, {3, false}, {3.01, true}, {4, true}, {5, true}, {15.5, true}};
    for (const auto& c : cases) {
        s.m_dXScale = 1.0 / c.pixelsPerSample;
        EXPECT_EQ(MarkersShown(s), c.markers) << c.pixelsPerSample;
    }
}

TEST(ChartLabels, DefaultRangeReadsThirteenDecibelSteps)
{
    for (int h : {770, 775, 333}) {
        const auto labels = LevelLabels(Chart(500, h));
        EXPECT_EQ(labels[0], "0.00");
        EXPECT_EQ(labels[1], "13.00");
        EXPECT_EQ(labels[5], "65.00");
        EXPECT_EQ(labels[10], "130.00") << h;
    }
    SChartState s = Chart(500, 775);
    EXPECT_EQ(LevelRow(s, 0), 785);
    EXPECT_EQ(LevelRow(s, 1), 785 - 77);
    EXPECT_EQ(LevelRow(s, 10), 10);
}

TEST(ChartLabels, HiddenLevelStaticsUseTheControlHeightAndSkipNegativeOffsets)
{
    const auto texts = HiddenLevelTexts(2000, 50000, 215);   // ys 0.2, yo 5, h 200
    ASSERT_TRUE(texts);
    EXPECT_EQ((*texts)[0], "5.00");
    EXPECT_EQ((*texts)[10], "45.00");
    EXPECT_FALSE(HiddenLevelTexts(2000, -1, 215));
}

TEST(ChartScaleNotice, CarriesScaledScaleAndOffset)
{
    SChartState s = Chart(100, 100);
    s.m_dYOffset = -2.5;
    const SScaleNotice n = MakeScaleNotice(s);
    EXPECT_EQ(n.wParam, 13000u);
    EXPECT_EQ(n.lParam, -25000);
}

TEST(ChartZoom, DragZoomsToTheRectangleAndClampsTheReleasePoint)
{
    SChartState s = Chart(500, 300);   // xs 0.04, ys 130/300
    s.m_ptAnchor = {145, 110};
    s.m_bDragging = true;
    EXPECT_TRUE(OnLeftUp(s, 9999, 9999));   // right of and below the plot
    EXPECT_DOUBLE_EQ(s.m_dXOffset, 100 * 0.04);
    EXPECT_DOUBLE_EQ(s.m_dXScale, (550 - 145) * 0.04 / 500);   // W + 50
    EXPECT_DOUBLE_EQ(s.m_dYOffset, 0.0);                        // lower edge at H + 10
    EXPECT_DOUBLE_EQ(s.m_dYScale, (310 - 110) * (130.0 / 300) / 300);
    EXPECT_TRUE(s.m_bZoomed);
    EXPECT_FALSE(s.m_bDragging);
    EXPECT_EQ(s.m_ptAnchor, SPoint{});

    SChartState t = Chart(500, 300);
    t.m_ptAnchor = {300, 200};
    t.m_bDragging = true;
    ZoomTo(t, -50, -50);   // left of and above the plot: 45 and 10
    EXPECT_DOUBLE_EQ(t.m_dXOffset, 0.0);
    EXPECT_DOUBLE_EQ(t.m_dXScale, 255 * 0.04 / 500);
    EXPECT_DOUBLE_EQ(t.m_dYOffset, (300 - 200 + 10) * (130.0 / 300));
}

TEST(ChartZoom, SmallMovesCursorPlacingAndTheScaleLimitRestrictTheZoom)
{
    SChartState s = Chart(500, 300);
    s.m_ptAnchor = {100, 100};
    s.m_bDragging = true;
    EXPECT_FALSE(OnLeftUp(s, 105, 200));   // five pixels across: only a redraw
    EXPECT_FALSE(s.m_bZoomed);

    s.m_ptAnchor = {100, 100};
    s.m_bDragging = true;
    s.m_nCursorState = kCursorWaitB;
    EXPECT_FALSE(OnLeftUp(s, 300, 200));

    SChartState t = Chart(500, 300);
    t.m_dXScale = 0.005;   // at the limit: only the vertical axis zooms
    t.m_ptAnchor = {100, 100};
    t.m_bDragging = true;
    EXPECT_TRUE(OnLeftUp(t, 300, 200));
    EXPECT_EQ(t.m_dXScale, 0.005);
    EXPECT_EQ(t.m_dXOffset, 0.0);
    EXPECT_LT(t.m_dYScale, 130.0 / 300);
    EXPECT_TRUE(t.m_bZoomed);
}

TEST(ChartMouse, BandIsShownOnlyWhileDraggingWithNoCursorBeingPlaced)
{
    SChartState s = Chart(500, 300);
    EXPECT_FALSE(OnLeftDown(s, 100, 100, 10));
    SMoveResult r = OnMouseMove(s, 200, 150, 10);
    EXPECT_EQ(r.repaint, ERepaint::OverlayOnly);
    EXPECT_TRUE(s.m_bBandShown);
    EXPECT_EQ(s.m_ptDrag, (SPoint{200, 150}));
    OnLeftUp(s, 200, 150);
    EXPECT_FALSE(s.m_bBandShown);
    r = OnMouseMove(s, 210, 150, 10);
    EXPECT_EQ(r.repaint, ERepaint::None);
}

TEST(ChartCursors, APlacedThenBOnlyRightOfA)
{
    SChartState s = Chart(500, 300);   // 25 pixels per sample
    const std::size_t n = 10;
    EXPECT_FALSE(OnDoubleClick(s, 10, 100));   // outside the plot
    EXPECT_TRUE(OnDoubleClick(s, 100, 100));
    EXPECT_EQ(s.m_nCursorState, kCursorWaitA);

    SMoveResult move = OnMouseMove(s, 45 + 75, 100, n);
    ASSERT_TRUE(move.cursor);
    EXPECT_EQ(*move.cursor, (SCursorNotice{kCursorANotice, 3}));
    EXPECT_EQ(move.trackAfterRedraw, (SPoint{120, 100}));

    EXPECT_EQ(OnLeftDown(s, 45 + 75, 100, n), (SCursorNotice{kCursorANotice, 3}));
    EXPECT_EQ(s.m_nCursorState, kCursorWaitB);
    OnLeftUp(s, 45 + 75, 100);
    EXPECT_FALSE(OnLeftDown(s, 45 + 75, 100, n));    // at A: refused
    EXPECT_FALSE(OnLeftDown(s, 45 + 25, 100, n));    // left of A
    EXPECT_FALSE(OnMouseMove(s, 45 + 50, 100, n).cursor);
    EXPECT_EQ(s.m_nCursorState, kCursorWaitB);
    EXPECT_FALSE(OnLeftDown(s, 45 + 300, 100, n));   // past the last record
    EXPECT_EQ(OnLeftDown(s, 45 + 100, 100, n), (SCursorNotice{kCursorBNotice, 4}));
    EXPECT_EQ(s.m_nCursorState, kCursorIdle);
    EXPECT_EQ(s.m_nCursorA, 3);
    EXPECT_EQ(s.m_nCursorB, 4);

    OnRightUp(s);
    EXPECT_EQ(s.m_nCursorA, -1);
    EXPECT_EQ(s.m_nCursorB, -1);
}

TEST(ChartCursors, IndicationNeverNamesRecordZero)
{
    SChartState s = Chart(500, 300);
    EXPECT_FALSE(OnMouseMove(s, 50, 100, 10).indication);    // over record 0
    EXPECT_EQ(OnMouseMove(s, 70, 100, 10).indication, 1);
    EXPECT_FALSE(OnMouseMove(s, 500, 100, 10).indication);   // past the data
    EXPECT_FALSE(OnMouseMove(s, 70, 5, 10).indication);      // above the plot
}

TEST(CursorStatistics, StrictExtremesSumAndCount)
{
    const double levels[] = {50, 70, 70, 30, 30, 60};
    auto store = graphtest::MakeStore(6, [&](std::size_t i) { return levels[i]; });
    SCursorStats st = StatsBetween(*store, 0, 5);
    EXPECT_EQ(st.maxIndex, 1u);   // the first of equal extremes
    EXPECT_EQ(st.minIndex, 3u);
    EXPECT_EQ(st.count, 6);
    EXPECT_DOUBLE_EQ(st.average, 310.0 / 6);

    st = StatsBetween(*store, 4, 5);   // two records
    EXPECT_EQ(st.count, 2);
    EXPECT_DOUBLE_EQ(st.average, 45.0);

    auto silent = graphtest::MakeStore(3, [](std::size_t) { return 0.0; });
    st = StatsBetween(*silent, 0, 2);
    EXPECT_FALSE(st.maxIndex);   // nothing above 0
    EXPECT_EQ(st.minIndex, 0u);

    EXPECT_EQ(StatsBetween(*store, 3, 99).count, 3);   // never past the list
    EXPECT_EQ(StatsBetween(*store, 5, 2).count, 0);
}

// The figures of a store, read from its envelope, are those of a walk over
// the records (the store's snapshot keeps no envelope, so it is walked) for
// ranges of every kind: ties (a stretch of five levels), a stretch with nothing above 0 and one with
// nothing below 150 (no maximum, no minimum), zeros of both signs (the
// minimum shown is the first record's own zero), and a
// stretch of NaN, infinities, levels whose sum overflows and levels with three
// decimals, where the average is the walk's to the bit. Elsewhere (levels
// with one or two decimals) the average is the decimal one, so it may differ
// from the walk's in its rounding.
TEST(CursorStatistics, EnvelopeGivesTheFiguresOfAWalkOverAnyRange)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double kOdd[] = {std::nan(""), kInf, -kInf, 1e308, -1e308, 1e308};
    const auto level = [&](std::size_t i) {
        if (i >= 3000 && i < 3400)
            return kOdd[i % 6];
        if (i >= 3400 && i < 3450)
            return static_cast<double>(60000 + i % 7) / 1000.0;
        if (i >= 1000 && i < 1100)
            return i % 3 == 0 ? -0.0 : (i % 3 == 1 ? 0.0 : -static_cast<double>(i % 50) / 10.0);
        if (i >= 1100 && i < 1200)
            return i % 2 == 0 ? -0.0 : 0.0;
        if (i >= 2000 && i < 2600)
            return 60.0 + 0.5 * static_cast<double>((i * 2654435761u) % 5);   // ties in every cell
        if (i >= 1200 && i < 1300)
            return static_cast<double>(15000 + (i * 7919) % 300) / 100.0;
        return static_cast<double>(static_cast<long>((i * 2654435761u) % 1700) - 100) / 10.0;   // ties at both ends
    };
    auto store = graphtest::MakeStore(5000, level);
    const CRecordSnapshot walked = store->Snapshot();
    ASSERT_EQ(walked.Envelope(), nullptr);

    std::mt19937_64 random(7);
    std::vector<std::pair<int, int>> ranges = {{0, 4999}, {1000, 1099}, {1010, 1090}, {1100, 1199},
                                               {1101, 1190}, {1104, 1190}, {1200, 1299},
                                               {2000, 2599}, {2048, 2560}, {1205, 1290},
                                               {2990, 3000}, {3399, 3500}, {3400, 3449}, {3440, 3460}, {0, 15}, {16, 4095}, {4999, 5100},
                                               {-3, 40}, {7, 3}};
    for (int k = 0; k < 400; ++k) {
        const int a = static_cast<int>(random() % 5000), b = static_cast<int>(random() % 5000);
        ranges.emplace_back(std::min(a, b), std::max(a, b));
    }
    for (int k = 0; k < 100; ++k) {   // short ones, within a cell or two
        const int a = static_cast<int>(random() % 4960);
        ranges.emplace_back(a, a + static_cast<int>(random() % 40));
    }
    for (const auto& [a, b] : ranges) {
        const std::string where = std::to_string(a) + ".." + std::to_string(b);
        const SCursorStats got = StatsBetween(*store, a, b);
        const SCursorStats want = StatsBetween(walked, a, b);
        EXPECT_EQ(got.count, want.count) << where;
        EXPECT_EQ(got.maxIndex, want.maxIndex) << where;
        EXPECT_EQ(got.minIndex, want.minIndex) << where;
        EXPECT_EQ(std::memcmp(&got.max, &want.max, sizeof(double)), 0) << where;
        EXPECT_EQ(std::memcmp(&got.min, &want.min, sizeof(double)), 0) << where;
        const bool odd = a < 3450 && b >= 3000;
        if (odd || want.count == 0)
            EXPECT_EQ(std::memcmp(&got.average, &want.average, sizeof(double)), 0) << where;
        else
            EXPECT_NEAR(got.average, want.average, 1e-9) << where;
    }
}

namespace {

// A level text as a data file holds it ("96.1", "96.15"), in hundredths.
long long Hundredths(const std::string& text)
{
    const std::size_t dot = text.find('.');
    std::string digits = dot == std::string::npos ? text + "00" : text.substr(0, dot) + text.substr(dot + 1);
    if (dot != std::string::npos)
        digits.append(2 - (text.size() - dot - 1), '0');
    return std::stoll(digits);
}

// The average of n levels summing to `hundredths` (not negative) to one
// decimal: the exact decimal quotient written out to 30 decimals, read as a
// number and shown as a level is shown.
std::string Shown(long long hundredths, long long n)
{
    const long long divisor = 100 * n;
    std::string text = std::to_string(hundredths / divisor) + ".";
    long long rest = hundredths % divisor;
    for (int k = 0; k < 30; ++k) {
        rest *= 10;
        text += static_cast<char>('0' + rest / divisor);
        rest %= divisor;
    }
    return Format("%.1f", std::strtod(text.c_str(), nullptr));
}

// A store of the given level texts, read as a file's levels are, after
// `before` records of 50.0 so that the measured range starts within a cell.
std::unique_ptr<CRecordStore> StoreOf(const std::vector<std::string>& texts, std::size_t before)
{
    return graphtest::MakeStore(before + texts.size(), [&](std::size_t i) {
        return i < before ? 50.0 : std::strtod(texts[i - before].c_str(), nullptr);
    });
}

} // namespace

// The average shown between the cursors is that of the exact decimal average
// of the level texts, shown as a level is (60.05 shows as 60.0 either way),
// also where it lies exactly halfway between two tenths, whatever side of it
// the nearest double lies (or on it, as 96.25 does): short ranges of single
// levels and long ones made of whole cells. A sum in doubles record by record
// drifts from it on such ties.
TEST(CursorStatistics, AverageTextIsThatOfTheExactDecimalAverage)
{
    struct SCase {
        std::vector<std::string> levels;
        std::size_t repeat;
        const char* shown;
    };
    const std::vector<SCase> cases = {
        {{"96.1", "96.2"}, 1, "96.2"},     {{"96.2", "96.3"}, 1, "96.2"},   // 96.25 is a double
        {{"30.1", "30.2"}, 1, "30.1"},     {{"32.0", "32.1"}, 1, "32.0"},   // nearest double below
        {{"96.1", "96.1", "96.1", "96.1", "96.1", "96.1", "96.15", "96.2", "96.2", "96.2", "96.2", "96.2", "96.2"},
         1, "96.2"},
        {{"96.14", "96.16", "96.15"}, 1, "96.2"},  {{"60.05"}, 1, "60.0"},     {{"30.15"}, 1, "30.1"},
        {{"60.04", "60.05"}, 1, "60.0"},           {{"96.1", "96.2"}, 2048, "96.2"},
        {{"30.1", "30.2"}, 4000, "30.1"},          {{"96.2", "96.3"}, 1500, "96.2"},
        {{"96.1", "96.2", "96.2"}, 700, "96.2"},   {{"45.67", "45.68", "45.69"}, 999, "45.7"},
    };
    for (const SCase& c : cases) {
        std::vector<std::string> texts;
        long long hundredths = 0;
        for (std::size_t k = 0; k < c.repeat; ++k)
            for (const std::string& t : c.levels) {
                texts.push_back(t);
                hundredths += Hundredths(t);
            }
        const std::string hand = Shown(hundredths, static_cast<long long>(texts.size()));
        EXPECT_EQ(hand, c.shown) << c.levels[0];   // the table agrees with the decimal arithmetic
        for (const std::size_t before : {0u, 16u, 7u}) {
            auto store = StoreOf(texts, before);
            const int a = static_cast<int>(before), b = static_cast<int>(before + texts.size() - 1);
            const SCursorStats st = StatsBetween(*store, a, b);
            EXPECT_EQ(Format("%.1f", st.average), hand)
                << c.levels[0] << " x" << c.levels.size() << " x" << c.repeat << " after " << before;
            EXPECT_EQ(st.sum, static_cast<double>(hundredths) / 100.0) << c.levels[0];
        }
    }
}

// Over random ranges (short ones hit the halfway points often) of levels with
// one and two decimals, the average shown is that of the exact decimal average.
TEST(CursorStatistics, RandomDecimalLevelsShowTheDecimalAverage)
{
    std::mt19937_64 random(15);
    std::vector<long long> hundredths(6000);
    for (std::size_t i = 0; i < hundredths.size(); ++i)   // tenths as the meter gives them, then hundredths
        hundredths[i] = i < 3000 ? 10 * static_cast<long long>(300 + random() % 900)
                                 : 3000 + static_cast<long long>(random() % 9000);
    auto store = graphtest::MakeStore(hundredths.size(), [&](std::size_t i) {
        return std::strtod(Format("%lld.%02lld", hundredths[i] / 100, hundredths[i] % 100).c_str(), nullptr);
    });
    for (int k = 0; k < 20000; ++k) {
        int a = static_cast<int>(random() % hundredths.size());
        int b = k % 2 ? a + static_cast<int>(random() % 40) : static_cast<int>(random() % hundredths.size());
        if (b >= static_cast<int>(hundredths.size()))
            b = static_cast<int>(hundredths.size()) - 1;
        if (a > b)
            std::swap(a, b);
        long long sum = 0;
        for (int i = a; i <= b; ++i)
            sum += hundredths[i];
        const std::string hand = Shown(sum, b - a + 1);
        EXPECT_EQ(Format("%.1f", StatsBetween(*store, a, b).average), hand) << a << ".." << b;
    }
}

TEST(ChartScroll, RangesFollowTheViewAndLineStepsStopAtTheEnds)
{
    SChartState s = Chart(500, 260);   // fit: nothing to scroll horizontally
    SScrollBars b = ScrollBarsFor(s);
    EXPECT_EQ(b.hMax, 0);
    EXPECT_EQ(b.hPos, 0);

    s.m_dYScale = 0.25;   // 65 dB visible: 65 positions from the top
    s.m_dYOffset = 0.0;
    b = ScrollBarsFor(s);
    EXPECT_EQ(b.vMax, 65);
    EXPECT_EQ(b.vPos, 65);
    EXPECT_EQ(ScrollVertical(s, EScrollCode::LineForward, 65, 0), 65);   // at the end: unchanged
    EXPECT_DOUBLE_EQ(s.m_dYOffset, 0.0);
    EXPECT_EQ(ScrollVertical(s, EScrollCode::LineBack, 65, 0), 64);
    EXPECT_DOUBLE_EQ(s.m_dYOffset, 1.0);
    EXPECT_EQ(ScrollVertical(s, EScrollCode::ThumbPosition, 64, 0), 0);
    EXPECT_DOUBLE_EQ(s.m_dYOffset, 65.0);   // top position shows the highest levels
    EXPECT_EQ(ScrollVertical(s, EScrollCode::LineBack, 0, 0), 0);
    EXPECT_FALSE(ScrollVertical(s, EScrollCode::Other, 0, 30));

    s.m_bZoomed = true;
    s.m_dXScale = 0.01;   // 5 samples visible of 20
    EXPECT_EQ(ScrollBarsFor(s).hMax, 15);
    EXPECT_EQ(ScrollHorizontal(s, EScrollCode::LineForward, 15, 0), 15);
    EXPECT_EQ(ScrollHorizontal(s, EScrollCode::LineForward, 3, 0), 4);
    EXPECT_EQ(s.m_dXOffset, 4.0);
}

TEST(ChartScroll, FitModeHasNothingToScrollAtAnyWidth)
{
    // 20 / W x W is not always 20 again (19.999999999999996 at W = 154): the
    // horizontal bar must still have no room, before and after the span grew,
    // and after UnDo Zoom keeps the grown span.
    std::vector<std::string> moved;
    for (int w = 50; w <= 3000; ++w) {
        for (std::size_t n : {0u, 21u, 1000u}) {
            SChartState s = Chart(w, 300);
            FitOrFollow(s, n, nullptr);
            for (int undo = 0; undo < 2; ++undo) {
                const SScrollBars bars = ScrollBarsFor(s);
                const std::optional<int> pos = ScrollHorizontal(s, EScrollCode::LineForward, 0, 0);
                if (bars.hMax != 0 || bars.hPos != 0 || pos != 0 || s.m_dXOffset != 0.0)
                    moved.push_back(Format("W=%d n=%zu undo=%d", w, n, undo));
                ResetGeometry(s, w + kMarginWidth, 300 + kMarginHeight);
            }
        }
    }
    EXPECT_TRUE(moved.empty()) << moved.size() << " views scroll, first " << moved.front();
}

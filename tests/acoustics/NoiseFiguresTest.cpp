#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "acoustics/NoiseFigures.h"

using namespace sonivel;

namespace {

SCalendarTime At(int hour, int minute, int second)
{
    return SCalendarTime{2026, 12, 8, hour, minute, second};
}

// PERCENTILE.INC on the raw values.
double SortedPercentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double h = static_cast<double>(v.size() - 1) * p;
    const std::size_t lo = static_cast<std::size_t>(h);
    return lo + 1 < v.size() ? v[lo] + (h - static_cast<double>(lo)) * (v[lo + 1] - v[lo]) : v[lo];
}

} // namespace

// Six dBA records (1 s apart by their rate) across the day's periods, with two
// dBC records between them that must not mix in. Worked out by hand:
//   levels 60, 70, 70, 80, 50, 80: average 410 / 6 = 68.333
//   energies 1e6 + 1e7 + 1e7 + 1e8 + 1e5 + 1e8 = 2.211e8, mean 3.685e7:
//   leq = 10 log10(3.685e7) = 75.664; sel = 75.664 + 10 log10(6 s) = 83.446
//   sorted 50 50 60 70 70 80 80 -> 50 60 70 70 80 80, ranks h = 5 p:
//   L5 = P95 (h 4.75) 80; L10 = P90 (h 4.5) 80; L50 (h 2.5) 70;
//   L90 = P10 (h 0.5) 50 + 0.5 x 10 = 55; L95 = P5 (h 0.25) 50 + 0.25 x 10 = 52.5
//   hours: 06 60 (1); 07 70 (2); 19 80 (1); 23 10 log10((1e5 + 1e8) / 2) = 76.994 (2)
//   lday 70; levening 80; lnight 10 log10((1e6 + 1e5 + 1e8) / 3) = 75.276
//   lden = 10 log10((12e7 + 4 x 10^8.5 + 8 x 3.37e8) / 24) = 10 log10(1.70038e8) = 82.305
// lmax 80 first at 19:00:00 (again at 23:10:00), lmin 50 at 23:00:00.
TEST(NoiseFigures, HandComputedSpanPerWeighting)
{
    const struct {
        const char* time;
        double level;
        const char* unit;
    } records[] = {
        {"08-12-2026,06:59:59", 60.0, "dBA"}, {"08-12-2026,07:00:00", 70.0, "dBA"},
        {"08-12-2026,07:00:01", 90.0, "dBC"}, {"08-12-2026,07:30:00", 70.0, "dBA"},
        {"08-12-2026,19:00:00", 80.0, "dBA"}, {"08-12-2026,22:00:00", 90.0, "dBC"},
        {"08-12-2026,23:00:00", 50.0, "dBA"}, {"08-12-2026,23:10:00", 80.0, "dBA"},
    };
    CFiguresByWeighting figures;
    for (const auto& r : records)
        figures.Add(CObjData(r.level, r.time, r.unit, 0, 1.0));
    ASSERT_EQ(figures.Weightings().size(), 2u);
    ASSERT_EQ(figures.Weightings()[0].first, "dBA");
    const SNoiseFigures a = figures.Weightings()[0].second.Figures();
    EXPECT_EQ(a.count, 6);
    EXPECT_EQ(a.start, At(6, 59, 59));
    EXPECT_EQ(a.end, At(23, 10, 0));
    EXPECT_DOUBLE_EQ(a.durationS, 6.0);
    EXPECT_EQ(a.lmax, 80.0);
    EXPECT_EQ(a.lmaxTime, At(19, 0, 0));
    EXPECT_EQ(a.lmin, 50.0);
    EXPECT_EQ(a.lminTime, At(23, 0, 0));
    EXPECT_NEAR(a.average, 68.333, 0.001);
    EXPECT_NEAR(a.leq, 75.664, 0.001);
    EXPECT_NEAR(a.sel, 83.446, 0.001);
    EXPECT_NEAR(a.l5, 80.0, 1e-9);
    EXPECT_NEAR(a.l10, 80.0, 1e-9);
    EXPECT_NEAR(a.l50, 70.0, 1e-9);
    EXPECT_NEAR(a.l90, 55.0, 1e-9);
    EXPECT_NEAR(a.l95, 52.5, 1e-9);
    ASSERT_EQ(a.hourly.size(), 4u);
    const struct {
        int hour;
        double leq;
        long long count;
    } hours[] = {{6, 60.0, 1}, {7, 70.0, 2}, {19, 80.0, 1}, {23, 76.994, 2}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(a.hourly[i].hour, At(hours[i].hour, 0, 0)) << i;
        EXPECT_NEAR(a.hourly[i].leq, hours[i].leq, 0.001) << i;
        EXPECT_EQ(a.hourly[i].count, hours[i].count) << i;
    }
    ASSERT_TRUE(a.lday && a.levening && a.lnight && a.lden);
    EXPECT_NEAR(*a.lday, 70.0, 0.001);
    EXPECT_NEAR(*a.levening, 80.0, 0.001);
    EXPECT_NEAR(*a.lnight, 75.276, 0.001);
    EXPECT_NEAR(*a.lden, 82.305, 0.001);

    const SNoiseFigures c = figures.Weightings()[1].second.Figures();
    EXPECT_EQ(figures.Weightings()[1].first, "dBC");
    EXPECT_EQ(c.count, 2);
    EXPECT_NEAR(c.leq, 90.0, 1e-9);
    EXPECT_EQ(c.hourly.size(), 2u);
    // Daytime and evening only: no night, so no Lden.
    EXPECT_TRUE(c.lday && c.levening);
    EXPECT_FALSE(c.lnight || c.lden);
}

// The histogram's percentiles equal PERCENTILE.INC on the sorted raw values:
// exactly for one-decimal levels, and also when levels off the 0.1 dB grid or
// outside 0-200 dB are among them.
TEST(NoiseFigures, HistogramPercentilesMatchSortedValues)
{
    std::mt19937 random(20261208);
    for (const bool offGrid : {false, true}) {
        for (int run = 0; run < 20; ++run) {
            CLevelHistogram hist;
            std::vector<double> levels;
            const int n = 1 + static_cast<int>(random() % 3000);
            for (int i = 0; i < n; ++i) {
                double level = static_cast<int>(random() % 1301 + 200) / 10.0;   // 20.0 ... 150.0
                if (offGrid && random() % 4 == 0)
                    level = static_cast<int>(random() % 30001) / 100.0 - 50;   // -50.00 ... 250.00
                levels.push_back(level);
                ASSERT_TRUE(hist.Add(level));
            }
            for (const double p : {0.0, 0.05, 0.1, 0.25, 0.5, 0.9, 0.95, 1.0})
                ASSERT_NEAR(hist.Percentile(p), SortedPercentile(levels, p), 1e-9)
                    << "n " << n << " p " << p << " off grid " << offGrid;
        }
    }
    EXPECT_FALSE(CLevelHistogram().Add(std::nan("")));
}

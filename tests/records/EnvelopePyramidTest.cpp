#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <limits>
#include <random>
#include <vector>

#include "records/EnvelopePyramid.h"

using namespace sonivel;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Levels read by index, counting the reads.
class CCountingLevels final : public ILevelSource {
public:
    explicit CCountingLevels(const std::vector<double>& levels) : m_levels(levels) {}
    double LevelAt(std::size_t i) const override
    {
        ++reads;
        return m_levels.at(i);
    }
    mutable std::size_t reads = 0;

private:
    const std::vector<double>& m_levels;
};

// The extent by looking at every level, as the definition says.
SLevelExtent Scan(const std::vector<double>& v, std::size_t first, std::size_t last)
{
    SLevelExtent e;
    e.first = v[first];
    e.last = v[last];
    for (std::size_t i = first; i <= last; ++i) {
        if (std::isnan(v[i])) {
            e.nan = true;
        } else {
            e.min = std::min(e.min, v[i]);
            e.max = std::max(e.max, v[i]);
        }
    }
    return e;
}

void ExpectSame(const SLevelExtent& got, const SLevelExtent& want, const std::string& where)
{
    EXPECT_EQ(got.min, want.min) << where;
    EXPECT_EQ(got.max, want.max) << where;
    EXPECT_EQ(got.nan, want.nan) << where;
    EXPECT_EQ(got.HasNumbers(), want.HasNumbers()) << where;
    // NaN == NaN fails: compare the bits.
    EXPECT_EQ(std::memcmp(&got.first, &want.first, sizeof(double)), 0) << where;
    EXPECT_EQ(std::memcmp(&got.last, &want.last, sizeof(double)), 0) << where;
}

struct SSeries {
    const char* name;
    std::size_t n;
    double (*level)(std::size_t);
};

double Noise(std::size_t i)
{
    return static_cast<double>(3000 + (i * 2654435761u) % 9000) / 100.0;
}
// Levels a data file can hold, sparse among ordinary ones, with a stretch of
// nothing but NaN and one of nothing but +inf.
double Extreme(std::size_t i)
{
    static const double kOdd[] = {60.0, 1e10, -1e10, kInf, -kInf, kNaN, 1e308, -1e308};
    if (i >= 5000 && i < 5300)
        return kNaN;
    if (i >= 9000 && i < 9100)
        return kInf;
    return i % 37 == 0 ? kOdd[(i / 37) % 8] : Noise(i);
}
// Four levels, so every cell holds its extremes many times over.
double Ties(std::size_t i)
{
    return 60.0 + 0.25 * static_cast<double>((i * 2654435761u) % 4);
}
double AllNaN(std::size_t)
{
    return kNaN;
}
double Ramp(std::size_t i)
{
    return -static_cast<double>(i);
}
// One level with three decimals among hundredths.
double Thousandth(std::size_t i)
{
    return i == 40000 ? 60.125 : Noise(i);
}
// The largest hundredths kept as such: their sum leaves the 64-bit integers.
double Huge(std::size_t)
{
    return 999999999999.99;
}

// Index ranges of a series of n levels: the whole, single levels, ranges
// across the tier edges, and random ones.
std::vector<std::pair<std::size_t, std::size_t>> Ranges(std::size_t n, std::mt19937_64& random)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges = {{0, n - 1}, {n - 1, n - 1}, {0, 0}};
    for (std::size_t edge : {15u, 16u, 255u, 256u, 4095u, 4096u, 65535u, 65536u})
        if (edge < n)
            ranges.insert(ranges.end(), {{0, edge}, {edge, n - 1}, {edge - 1, edge}});
    for (int k = 0; k < 300; ++k) {
        std::size_t a = random() % n, b = random() % n;
        ranges.emplace_back(std::min(a, b), std::max(a, b));
    }
    return ranges;
}

// A level in hundredths, worked out from its text with two decimals where it
// reads back from that text and is below 1e12; kNone otherwise.
long long TextHundredths(double level)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", level);
    if (!(std::fabs(level) < 1e12) || std::strtod(text, nullptr) != level)
        return SHundredths::kNone;
    std::string digits = text;
    digits.erase(digits.find('.'), 1);
    return std::stoll(digits);
}

// The sum of levels first..last in hundredths (h holds each level's), or
// kNone where a level is not a hundredth or the sum leaves the 64-bit integers.
long long DecimalSum(const std::vector<long long>& h, std::size_t first, std::size_t last)
{
    __extension__ typedef __int128 Wide;
    Wide total = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (h[i] == SHundredths::kNone)
            return SHundredths::kNone;
        total += h[i];
    }
    if (total <= std::numeric_limits<long long>::min() || total > std::numeric_limits<long long>::max())
        return SHundredths::kNone;
    return static_cast<long long>(total);
}

const SSeries kSeries[] = {
    {"empty", 0, Noise},          {"one", 1, Noise},           {"cell-1", 15, Noise},
    {"cell", 16, Extreme},        {"cell+1", 17, Extreme},     {"tier1", 256, Ramp},
    {"tier1+1", 257, Extreme},    {"tier2-1", 4095, Extreme},  {"all-nan", 4100, AllNaN},
    {"extreme", 70001, Extreme},  {"ramp", 70001, Ramp},       {"noise", 70001, Noise},
    {"ties", 5000, Ties},         {"thousandth", 70001, Thousandth}, {"huge", 100000, Huge},
};

} // namespace

// Appending level by level, in one go, or in chunks of any size builds the
// same envelope, and every range's extent is that of a scan over its levels,
// read from at most a few single levels at the ends.
TEST(EnvelopePyramid, AnyWayOfAppendingGivesTheSameEnvelopeAndExtentsOfAScan)
{
    std::mt19937_64 random(12);
    for (const SSeries& s : kSeries) {
        std::vector<double> v(s.n);
        for (std::size_t i = 0; i < s.n; ++i)
            v[i] = s.level(i);

        CEnvelopePyramid single, whole, chunks;
        for (double level : v)
            single.Append(level);
        whole.Append(v);
        for (std::size_t i = 0; i < s.n;) {
            const std::size_t k = std::min<std::size_t>(s.n - i, random() % 40);
            chunks.Append(std::span(v).subspan(i, k));
            i += k;
        }
        EXPECT_EQ(single.Count(), s.n) << s.name;
        EXPECT_TRUE(single == whole) << s.name;
        EXPECT_TRUE(single == chunks) << s.name;
        // Whole cells only: tier t holds one cell per 16^(t+1) levels.
        std::size_t span = CEnvelopePyramid::kFan;
        for (std::size_t t = 0; t < single.Tiers(); ++t, span *= CEnvelopePyramid::kFan)
            EXPECT_EQ(single.Tier(t).size(), s.n / span) << s.name << " tier " << t;

        if (s.n == 0) {
            const CCountingLevels levels(v);
            EXPECT_FALSE(single.Extent(levels, 0, 0).HasNumbers());
            EXPECT_EQ(levels.reads, 0u);
            continue;
        }
        for (auto [first, last] : Ranges(s.n, random)) {
            const CCountingLevels levels(v);
            const std::string where = std::string(s.name) + " " + std::to_string(first) + ".." + std::to_string(last);
            ExpectSame(single.Extent(levels, first, last), Scan(v, first, last), where);
            EXPECT_LE(levels.reads, 2 * (CEnvelopePyramid::kFan - 1)) << where;
        }
        // Beyond the end: limited to the last level; reversed: empty.
        const CCountingLevels levels(v);
        ExpectSame(single.Extent(levels, 0, s.n + 5), Scan(v, 0, s.n - 1), std::string(s.name) + " beyond");
        EXPECT_FALSE(single.Extent(levels, 1, 0).HasNumbers());
        EXPECT_FALSE(single.Extent(levels, 1, 0).nan);

        // Cleared, it starts again from nothing.
        single.Clear();
        EXPECT_TRUE(single == CEnvelopePyramid{}) << s.name;
    }
}

// A range's summary has the extremes of a scan and the decimal sum of its
// levels in hundredths, whatever cells it is made of, or none where a level is
// not a hundredth (NaN, infinities, 1e308, three decimals) or the sum
// overflows; walking down the cells finds the first level equal to each
// extreme.
TEST(EnvelopePyramid, SummaryAndFirstExtremesMatchAScan)
{
    std::mt19937_64 random(21);
    for (const SSeries& s : kSeries) {
        if (s.n == 0)
            continue;
        std::vector<double> v(s.n);
        for (std::size_t i = 0; i < s.n; ++i)
            v[i] = s.level(i);
        std::vector<long long> h(s.n);
        std::transform(v.begin(), v.end(), h.begin(), TextHundredths);
        CEnvelopePyramid envelope;
        envelope.Append(v);
        for (auto [first, last] : Ranges(s.n, random)) {
            const std::string where = std::string(s.name) + " " + std::to_string(first) + ".." + std::to_string(last);
            const CCountingLevels levels(v);
            const SLevelSummary got = envelope.Summary(levels, first, last);
            EXPECT_LE(levels.reads, 2 * (CEnvelopePyramid::kFan - 1)) << where;
            const SLevelExtent want = Scan(v, first, last);
            EXPECT_EQ(got.min, want.min) << where;
            EXPECT_EQ(got.max, want.max) << where;
            EXPECT_EQ(got.nan, want.nan) << where;
            EXPECT_EQ(got.sum.value, DecimalSum(h, first, last)) << where;
            if (!want.HasNumbers())
                continue;
            for (const bool maximum : {true, false}) {
                const double extreme = maximum ? want.max : want.min;
                const std::size_t firstAt = static_cast<std::size_t>(
                    std::find(v.begin() + first, v.begin() + last + 1, extreme) - v.begin());
                const CCountingLevels walked(v);
                EXPECT_EQ(envelope.FirstOfExtreme(walked, first, last, extreme, maximum), firstAt)
                    << where << (maximum ? " max" : " min");
                EXPECT_LE(walked.reads, 3 * CEnvelopePyramid::kFan) << where;
            }
        }
    }
}

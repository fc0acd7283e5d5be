#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include "monitor/SetupMath.h"

using namespace sonivel;

namespace {

using testsupport::LocalMoment;

} // namespace

TEST(SetupMath, RateChoicesMatchBetweenViewAndSetupDialog)
{
    ASSERT_EQ(kRateChoices.size(), 10u);
    EXPECT_STREQ(kRateChoices[kDefaultRateIndex].viewText, "0.5");
    EXPECT_STREQ(kRateChoices[3].viewText, "1");
    EXPECT_STREQ(kRateChoices[3].setupText, "1.0");
    EXPECT_STREQ(kRateChoices[9].viewText, "10");
    EXPECT_STREQ(kRateChoices[9].setupText, "10.0");
    // Both texts of a choice read as its seconds.
    for (const SRateChoice& c : kRateChoices) {
        EXPECT_DOUBLE_EQ(std::atof(c.viewText), c.seconds) << c.viewText;
        EXPECT_DOUBLE_EQ(std::atof(c.setupText), c.seconds) << c.setupText;
    }
}

TEST(SetupMath, CycleSplitsTheTotalIntoHoursMinutesSeconds)
{
    EXPECT_EQ(CycleText(3600, 0.5), "0 hour 30 minute 0 second");
    EXPECT_EQ(CycleText(40000, 10.0), "111 hour 6 minute 40 second");
    // The largest run at the longest interval: 99,999,990 s.
    EXPECT_EQ(CycleText(9999999, 10.0), "27777 hour 46 minute 30 second");
    EXPECT_EQ(CycleText(6048000, 0.1), "168 hour 0 minute 0 second");   // a week
    EXPECT_EQ(CycleText(1, 0.1), "0 hour 0 minute 0 second");
    EXPECT_EQ(CycleText(25, 2.5), "0 hour 1 minute 2 second");
    EXPECT_EQ(CycleText(36000, 0.1), "1 hour 0 minute 0 second");
}

TEST(SetupMath, EveryRateAndCountGivesTheExactWholeSeconds)
{
    // The products are computed in floating point; none of them may fall a
    // hair below a whole second and lose it, up to the largest run.
    ASSERT_EQ(kMaxRunRecords, 9999999);
    for (const SRateChoice& c : kRateChoices) {
        const int tenths = static_cast<int>(c.seconds * 10 + 0.5);
        for (const int from : {1, kMaxRunRecords - 40000}) {
            for (int n = from; n <= from + 40000 && n <= kMaxRunRecords; ++n) {
                const long long total = static_cast<long long>(n) * tenths / 10;
                ASSERT_EQ(CycleEnd(1000, n, c.seconds), 1000 + total) << n << " x " << c.setupText;
            }
        }
        for (const int n : {40000, kMaxRunRecords}) {
            const long long total = static_cast<long long>(n) * tenths / 10;
            const std::string expected = std::to_string(total / 3600) + " hour " +
                                         std::to_string(total % 3600 / 60) + " minute " + std::to_string(total % 60) +
                                         " second";
            EXPECT_EQ(CycleText(n, c.seconds), expected) << n << " x " << c.setupText;
        }
    }
}

TEST(SetupMath, StartAndEndTimesHaveNoLeadingZeros)
{
    const std::time_t start = LocalMoment(2011, 5, 2, 4, 3, 7);
    EXPECT_EQ(SetupTimeText(start), "2011-5-2,4:3:7");
    EXPECT_EQ(SetupTimeText(CycleEnd(start, 3600, 0.5)), "2011-5-2,4:33:7");
    EXPECT_EQ(SetupTimeText(CycleEnd(LocalMoment(2026, 12, 31, 23, 59, 0), 7, 10.0)), "2027-1-1,0:0:10");
}

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "protocol/LocalTimeStep.h"
#include "protocol/LoggerDecoder.h"

namespace {

struct SDecoded {
    CLoggerDecoder decoder;
    CRecordStore store;
    std::size_t made = 0;
    explicit SDecoded(std::string_view text) { made = decoder.DecodeLoggerText(text, store); }
    CObjData operator[](std::size_t i) const { return store.GetAt(i); }
};

// Two groups: 3 samples from 05-12-2011 9:03:07 (dBA), 2 samples from
// 31-12-2011 23:59:55 (dBC), both every 10 seconds.
constexpr std::string_view kTwoGroups = "aa11120509030710ac065300001125"
                                        "cc11123131595510ac01000200dd";

} // namespace

TEST(LoggerDecode, TwoGroupsGiveNumberedRecordsOneIntervalApart)
{
    const SDecoded d(kTwoGroups);
    ASSERT_EQ(d.made, 5u);
    ASSERT_EQ(d.store.GetSize(), 5u);
    const int groups[] = {1, 1, 1, 2, 2};
    const char* times[] = {"05-12-2011,9:03:07", "05-12-2011,9:03:17", "05-12-2011,9:03:27",
                           "31-12-2011,23:59:55", "01-01-2012,0:00:05"};
    const double levels[] = {65.3, 0.0, 112.5, 10.0, 20.0};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d[i].m_nGroup, groups[i]);
        EXPECT_EQ(d[i].m_strTime, times[i]);
        EXPECT_DOUBLE_EQ(d[i].m_dValue, levels[i]);
        EXPECT_DOUBLE_EQ(d[i].m_dSampleRate, 10.0);
        EXPECT_EQ(d[i].m_strUnit, i < 3 ? "dBA" : "dBC");
    }
    EXPECT_EQ(d.decoder.m_nLogGroup, 2);
}

TEST(LoggerDecode, HourByteFlags)
{
    auto hourOf = [](const std::string& hourByte) {
        const SDecoded d("aa111205" + hourByte + "030710ac0653dd");
        return d[0].m_strTime.substr(11);
    };
    EXPECT_EQ(hourOf("09"), "9:03:07");
    EXPECT_EQ(hourOf("11"), "11:03:07");
    EXPECT_EQ(hourOf("21"), "13:03:07");
    EXPECT_EQ(hourOf("32"), "12:03:07");   // 24 becomes 12
    EXPECT_EQ(hourOf("12"), "12:03:07");
}

TEST(LoggerDecode, MonthEndsAndLeapDay)
{
    const SDecoded d("aa12022831595903ac0100010001000100dd");   // 28-02-2012 23:59:59, every 3 s
    ASSERT_EQ(d.made, 4u);
    EXPECT_EQ(d[1].m_strTime, "29-02-2012,0:00:02");
    EXPECT_EQ(d[3].m_strTime, "29-02-2012,0:00:08");
    const SDecoded e("aa11043031595920ac01000100dd");   // 30-04-2011 23:59:59, every 20 s
    EXPECT_EQ(e[1].m_strTime, "01-05-2011,0:00:19");
}

TEST(LoggerDecode, TextWithoutAHeaderOfItsOwnIsDropped)
{
    const SDecoded d("06530653aa11120509030710ac0100dd");
    ASSERT_EQ(d.made, 1u);
    EXPECT_EQ(d[0].m_strTime, "05-12-2011,9:03:07");
    EXPECT_EQ(d[0].m_nGroup, 1);
    EXPECT_EQ(SDecoded("065306530653dd").made, 0u);
    EXPECT_EQ(SDecoded("").made, 0u);
}

TEST(LoggerDecode, InvalidHeaderTimeIsKeptAndTheNextGroupAdvancesAgain)
{
    const SDecoded d("aa11000509030710ac06530653"      // month 0
                     "aa11123209030710ac06530653"      // day 32
                     "aa11123109030710ac06530653dd");  // valid again
    ASSERT_EQ(d.made, 6u);
    EXPECT_EQ(d[0].m_strTime, "05-00-2011,9:03:07");
    EXPECT_EQ(d[1].m_strTime, "05-00-2011,9:03:07");
    EXPECT_EQ(d[2].m_strTime, "32-12-2011,9:03:07");
    EXPECT_EQ(d[3].m_strTime, "32-12-2011,9:03:07");
    EXPECT_EQ(d[4].m_strTime, "31-12-2011,9:03:07");
    EXPECT_EQ(d[5].m_strTime, "31-12-2011,9:03:17");
    EXPECT_EQ(d[5].m_nGroup, 3);
}

TEST(LoggerDecode, TwoCharacterRemainderCountsExceptInTheLastGroup)
{
    const SDecoded d("aa11120509030710ac065312"
                     "aa11120509030710ac065312dd");
    ASSERT_EQ(d.made, 3u);
    EXPECT_DOUBLE_EQ(d[1].m_dValue, 1.2);
    EXPECT_EQ(d[2].m_nGroup, 2);
}

// --- Stepping local time: the same results as mktime on every step ---

void PrintTo(const SCalendarTime& t, std::ostream* os)
{
    *os << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute << ":" << t.second;
}

namespace {

SCalendarTime ByMktime(const SCalendarTime& from, long seconds)
{
    const std::time_t t = MakeLocalTime(from) + seconds;
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void ExpectSameAsMktime(const SCalendarTime& start, long seconds, int steps)
{
    CLocalTimeStepper stepper;
    ASSERT_TRUE(stepper.Start(start));
    SCalendarTime expected = start;
    for (int i = 0; i < steps; ++i) {
        expected = ByMktime(expected, seconds);
        ASSERT_EQ(stepper.Advance(seconds), expected)
            << "step " << i << " from " << testing::PrintToString(start);
    }
}

// Runs the body with the process's time zone set to `zone`.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
            m_hadOld = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (m_hadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_old;
    bool m_hadOld = false;
};

} // namespace

TEST(LocalTimeStep, MatchesMktimeAcrossMidnightAndMonthEnds)
{
    ExpectSameAsMktime({2011, 12, 31, 23, 50, 0}, 7, 3000);
    ExpectSameAsMktime({2012, 2, 28, 23, 59, 55}, 10, 100);
    ExpectSameAsMktime({2013, 1, 30, 22, 0, 0}, 99, 3000);
}

TEST(LocalTimeStep, MatchesMktimeAcrossDaylightSavingChanges)
{
    for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe"}) {
        if (!std::filesystem::exists(std::string("/usr/share/zoneinfo/") + zone))
            continue;
        SCOPED_TRACE(zone);
        const ZoneScope scope(zone);
        ExpectSameAsMktime({2011, 10, 29, 22, 0, 0}, 10, 2 * 8640);   // Europe, autumn
        ExpectSameAsMktime({2011, 3, 26, 22, 0, 0}, 10, 2 * 8640);    // Europe, spring
        ExpectSameAsMktime({2011, 11, 5, 22, 0, 0}, 99, 2000);        // America, autumn
        ExpectSameAsMktime({2011, 4, 2, 22, 0, 0}, 1, 20000);          // Lord Howe: half an hour
    }
}

TEST(LocalTimeStep, InvalidTimesAreRefused)
{
    CLocalTimeStepper stepper;
    EXPECT_FALSE(stepper.Start({2011, 0, 5, 9, 3, 7}));
    EXPECT_FALSE(stepper.Start({2011, 2, 29, 9, 3, 7}));
    EXPECT_FALSE(stepper.Start({2011, 4, 31, 9, 3, 7}));
    EXPECT_FALSE(stepper.Start({2011, 4, 30, 24, 0, 0}));
    EXPECT_FALSE(stepper.Start({20, 4, 30, 1, 0, 0}));
    EXPECT_TRUE(stepper.Start({2012, 2, 29, 23, 59, 59}));
}

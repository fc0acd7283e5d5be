#include <gtest/gtest.h>

#include <cstdlib>

#include "graph/TimeAxis.h"
#include "GraphTestData.h"

using namespace sonivel;

namespace {

class TimeAxisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_oldTz = tz ? tz : "";
        m_hadTz = tz != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadTz)
            setenv("TZ", m_oldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    // Plot 1000 pixels wide in fit mode over 20 samples: ticks every 4 samples.
    static SChartState Chart()
    {
        SChartState s;
        SetInitialView(s, 1090, 330);
        return s;
    }

    std::string m_oldTz;
    bool m_hadTz = false;
};

std::vector<std::string> Shown(const STimeAxis& axis)
{
    std::vector<std::string> v;
    for (int t = 0; t < axis.count; ++t)
        v.push_back(axis.ticks[t].shown);
    return v;
}

} // namespace

TEST_F(TimeAxisTest, EmptyListCountsFromThePlaceholderAtOneSecondPerSample)
{
    CRecordStore empty;
    const STimeAxis axis = TimeAxisLabels(Chart(), empty);
    ASSERT_FALSE(axis.failed);
    EXPECT_EQ(Shown(axis), (std::vector<std::string>{"00:00:00", "00:00:04", "00:00:08", "00:00:12", "00:00:16",
                                                     "00:00:20"}));
    EXPECT_EQ(axis.ticks[0].full, "30-06-2010,00:00:00");
    EXPECT_EQ(axis.ticks[5].full, "30-06-2010,00:00:20");
}

TEST_F(TimeAxisTest, TicksOnRecordsShowTheirStoredClockText)
{
    // Logger texts have the hour without a leading zero: shown as stored.
    CRecordStore store;
    for (int i = 0; i < 21; ++i)
        store.Add(CObjData(50, Format("05-07-2022,9:%.2d:%.2d", i / 60, i % 60), "dBA", 1, 1.0));
    const STimeAxis axis = TimeAxisLabels(Chart(), store);
    ASSERT_EQ(axis.count, 6);
    EXPECT_EQ(axis.ticks[1].shown, "9:00:04");   // the record under the tick
    EXPECT_EQ(axis.ticks[5].full, "05-07-2022,9:00:20");
}

TEST_F(TimeAxisTest, TicksPastTheDataContinueTheLastSpacing)
{
    auto store = graphtest::MakeStore(5, graphtest::Constant65, 2.0);   // records 2 s apart
    const STimeAxis axis = TimeAxisLabels(Chart(), *store);
    ASSERT_FALSE(axis.failed);
    // Ticks 0 and 1 fall on records 0 and 4 (0 s and 8 s); ticks 2-5 continue by 8 s.
    EXPECT_EQ(Shown(axis), (std::vector<std::string>{"00:00:00", "00:00:08", "00:00:16", "00:00:24", "00:00:32",
                                                     "00:00:40"}));
    EXPECT_EQ(axis.ticks[2].full, "01-03-2021,00:00:16");
}

TEST_F(TimeAxisTest, LabelsIncreaseWhateverTheZoomAndScroll)
{
    // Views of 1000 records one per second and of 5 records 2 s apart; the
    // plot is 1000 pixels wide, so a tick every 200 pixels.
    auto thousand = graphtest::MakeStore(1000, graphtest::Constant65);
    auto five = graphtest::MakeStore(5, graphtest::Constant65, 2.0);
    struct SView {
        const char* name;
        const CRecordList& records;
        double xScale;
        double xOffset;
        std::vector<std::string> shown;
    };
    const SView views[] = {
        // Five samples from record 995: the last tick is one second past the data.
        {"newest five", *thousand, 0.005, 995,
         {"00:16:35", "00:16:36", "00:16:37", "00:16:38", "00:16:39", "00:16:40"}},
        {"middle", *thousand, 0.1, 500.2, {"00:08:20", "00:08:40", "00:09:00", "00:09:20", "00:09:40", "00:10:00"}},
        {"over the end", *thousand, 1.0, 900, {"00:15:00", "00:18:20", "00:21:40", "00:25:00", "00:28:20", "00:31:40"}},
        // Scrolled past all five records: 96 steps of 2 s after the last one (8 s).
        {"past the data", *five, 0.02, 100, {"00:03:20", "00:03:28", "00:03:36", "00:03:44", "00:03:52", "00:04:00"}},
    };
    for (const SView& v : views) {
        SChartState s = Chart();
        s.m_bZoomed = true;
        s.m_dXScale = v.xScale;
        s.m_dXOffset = v.xOffset;
        const STimeAxis axis = TimeAxisLabels(s, v.records);
        EXPECT_FALSE(axis.failed) << v.name;
        EXPECT_EQ(Shown(axis), v.shown) << v.name;
    }
}

TEST_F(TimeAxisTest, UnreadableTimesFailAtTheFirstTickThatNeedsThem)
{
    CRecordStore store;
    store.Add(CObjData(50, "01-03-2021,00:00:00", "dBA", 0, 1.0));
    store.Add(CObjData(50, "x", "dBA", 0, 1.0));
    for (int i = 2; i < 5; ++i)
        store.Add(CObjData(50, "13-13-2021,00:00:00", "dBA", 0, 1.0));
    const STimeAxis axis = TimeAxisLabels(Chart(), store);
    EXPECT_TRUE(axis.failed);
    EXPECT_EQ(axis.count, 2);   // ticks 0 and 1 fall on records; tick 2 must read record 4's text

    CRecordStore bad;
    bad.Add(CObjData(50, "32-01-2021,00:00:00", "dBA", 0, 1.0));
    SChartState s = Chart();
    s.m_dXOffset = 10;   // tick 0 past the data: the base text is read
    const STimeAxis none = TimeAxisLabels(s, bad);
    EXPECT_TRUE(none.failed);
    EXPECT_EQ(none.count, 0);
}

TEST_F(TimeAxisTest, DateTimeTextsAreReadStrictly)
{
    EXPECT_TRUE(ParseDateTime("29-02-2024,23:59:59"));
    EXPECT_TRUE(ParseDateTime("1-3-2021,7:05:09"));
    EXPECT_TRUE(ParseDateTime(" 1-3-2021, 7:05:09"));   // scanf skips blanks before numbers
    EXPECT_EQ(FormatFullDateTime(*ParseDateTime("1-3-2021,7:05:09")), "01-03-2021,07:05:09");
    for (const char* bad : {"", "01-03-2021", "01-13-2021,00:00:00", "32-01-2021,00:00:00", "29-02-2023,00:00:00",
                            "31-04-2021,00:00:00", "00-01-2021,00:00:00", "01-01-2021,24:00:00",
                            "01-01-2021,00:60:00", "01-01-2021,00:00:60", "01-01-2021 00:00:00",
                            "01/01/2021,00:00:00", "01-01-99999999999999999999,00:00:00", "a-b-c,d:e:f"})
        EXPECT_FALSE(ParseDateTime(bad)) << bad;
}

TEST_F(TimeAxisTest, ArbitraryBytesNeverCrashTheReaders)
{
    // Random texts built from the characters the pattern uses, and plain noise.
    unsigned seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    const std::string alphabet = "0123456789-,: +x\r\n";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const std::size_t len = next() % 40;
        for (std::size_t i = 0; i < len; ++i)
            text += round % 2 ? alphabet[next() % alphabet.size()] : static_cast<char>(next() >> 8);
        if (const auto t = ParseDateTime(text)) {
            EXPECT_EQ(ParseDateTime(FormatFullDateTime(*t)), t) << text;
        }
    }
}

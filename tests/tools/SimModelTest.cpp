// The simulator's bytes, read by the program's own receive path.
#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include <string>
#include <vector>

#include "MeterModel.h"
#include "SimOptions.h"
#include "protocol/Receiver.h"

namespace {

struct SNoHost : IReceiverHost {
    int ended = 0;
    void OnHoldStop() override {}
    void OnDownloadEnded() override { ++ended; }
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
};

class SimModelTest : public ::testing::Test {
protected:
    SimModelTest() : rx(host, logStore) { rx.ResetForFirstShowing(); }

    // Sends four frames, one chunk each. The meter alternates the clock with
    // the REC and OVER/UNDER codes, and a frame is decoded once the next one
    // has arrived: three decoded frames show every indicator.
    void SendFrame()
    {
        std::tm clock {};
        clock.tm_hour = 13;
        clock.tm_min = 5;
        clock.tm_sec = 9;
        for (int i = 0; i < 4; ++i) {
            const auto f = meter.LiveFrame(clock);
            ASSERT_EQ(f.size(), 20u);
            rx.OnReceiveData(f.data(), f.size());
        }
    }

    SNoHost host;
    CRecordStore logStore;
    CReceiver rx;
    CMeterModel meter {7, 60.0};
};

} // namespace

TEST_F(SimModelTest, LiveFramesCarryTheMetersStateAndObeyEveryKey)
{
    meter.m_dShown = 63.5;
    SendFrame();
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);
    EXPECT_TRUE(rx.m_live.m_bWeightA);
    EXPECT_EQ(rx.m_live.m_nRange, 4);
    EXPECT_TRUE(rx.m_live.m_bFast);
    EXPECT_FALSE(rx.m_live.m_bMax || rx.m_live.m_bMin || rx.m_live.m_bRec || rx.m_live.m_bOver);
    EXPECT_EQ(rx.m_live.m_strMeterTime.substr(rx.m_live.m_strMeterTime.find(',')), ",13:05:09");

    for (std::uint8_t key : {0x77, 0x99, 0x55, 0x88, 0x11})
        EXPECT_TRUE(meter.PressKey(key));
    EXPECT_FALSE(meter.PressKey(0x5A));
    meter.m_dShown = 63.5;
    SendFrame();
    EXPECT_FALSE(rx.m_live.m_bFast);
    EXPECT_FALSE(rx.m_live.m_bWeightA);
    EXPECT_TRUE(rx.m_live.m_bRec);
    EXPECT_EQ(rx.m_live.m_nRange, 1);
    EXPECT_TRUE(rx.m_live.m_bMax);
    meter.PressKey(0x11);
    meter.PressKey(0x88);
    meter.PressKey(0x88);   // range 3: 80-130 dB, so 63.5 is UNDER
    meter.m_dShown = 63.5;
    SendFrame();
    EXPECT_TRUE(rx.m_live.m_bMin);
    EXPECT_FALSE(rx.m_live.m_bMax);
    EXPECT_EQ(rx.m_live.m_nRange, 3);
    EXPECT_TRUE(rx.m_live.m_bUnder);
}

TEST_F(SimModelTest, HourByteFollowsTheMetersTwelveHourClock)
{
    EXPECT_EQ(CMeterModel::HourByte(9), 0x09);
    EXPECT_EQ(CMeterModel::HourByte(11), 0x11);
    EXPECT_EQ(CMeterModel::HourByte(12), 0x32);   // decoded as 24, shown as 12
    EXPECT_EQ(CMeterModel::HourByte(13), 0x21);
    EXPECT_EQ(CMeterModel::HourByte(23), 0x31);
    EXPECT_EQ(CMeterModel::Bcd(59), 0x59);
}

TEST_F(SimModelTest, LevelWalksWithinTheMetersScale)
{
    double low = 200, high = 0;
    for (int i = 0; i < 5000; ++i) {
        meter.Step();
        low = std::min(low, meter.m_dLevel);
        high = std::max(high, meter.m_dLevel);
    }
    EXPECT_GT(low, 40.0);
    EXPECT_LT(high, 80.0);
    EXPECT_GT(high - low, 3.0);   // it moves
    for (std::uint8_t b : meter.Garbage(1000))
        EXPECT_TRUE((b & 0x0F) != 0x0F && (b & 0xF0) != 0xF0);
}

TEST_F(SimModelTest, LoggerAnswerDecodesIntoTheGroupsItHolds)
{
    const std::tm start = testsupport::LocalFields(2025, 12, 5, 23, 59, 58);
    meter.SetGroups({3, 2, 4}, start);
    const auto answer = meter.LoggerAnswer();
    const std::size_t n = answer[1] << 8 | answer[2];
    EXPECT_EQ(n - 98, answer.size() - 3);

    rx.m_bLinkAlive = true;
    rx.BeginDownload();
    for (std::size_t i = 0; i < answer.size(); i += 20)   // chunks as the reader delivers them
        rx.OnReceiveData(answer.data() + i, std::min<std::size_t>(20, answer.size() - i));
    ASSERT_EQ(logStore.GetSize(), 9u);
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(logStore.GetAt(0).m_nGroup, 1);
    EXPECT_EQ(logStore.GetAt(3).m_nGroup, 2);
    EXPECT_EQ(logStore.GetAt(8).m_nGroup, 3);
    EXPECT_EQ(logStore.GetAt(0).m_strTime, "05-12-2025,23:59:58");
    EXPECT_EQ(logStore.GetAt(1).m_strTime, "05-12-2025,23:59:59");
    EXPECT_EQ(logStore.GetAt(2).m_strTime, "06-12-2025,0:00:00");
    EXPECT_EQ(logStore.GetAt(3).m_strUnit, "dBC");
    EXPECT_DOUBLE_EQ(logStore.GetAt(3).m_dSampleRate, 2.0);
    EXPECT_DOUBLE_EQ(logStore.GetAt(4).m_dValue, meter.Groups()[1].tenths[1] / 10.0);
}

TEST_F(SimModelTest, EmptyLoggerAnswersWithLength100)
{
    meter.SetGroups({}, std::tm {});
    const auto answer = meter.LoggerAnswer();
    EXPECT_EQ(answer, (std::vector<std::uint8_t> {0xBB, 0x00, 0x64, 0xDD, 0x00}));
    rx.BeginDownload();
    rx.OnReceiveData(answer.data(), answer.size());
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.ended, 1);
    EXPECT_TRUE(logStore.IsEmpty());
}

// Numbers too large for the int or unsigned they end in are usage errors, not
// undefined conversions.
TEST(SimOptions, NumbersOutsideTheirRangeAreRefused)
{
    auto parse = [](std::vector<const char*> args, SSimOptions& o, std::string& error) {
        args.insert(args.begin(), "sonivel-meter-sim");
        return ParseSimOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o, error);
    };
    SSimOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--period", "100", "--ignore-keys", "3", "--seed", "9", "--groups", "4,0,2"}, o, error));
    EXPECT_EQ(o.periodMs, 100);
    EXPECT_EQ(o.ignoreKeys, 3);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_EQ(o.groups, (std::vector<int> {4, 2}));
    for (auto bad : std::vector<std::vector<const char*>> {{"--period", "1e20"},
                                                           {"--ignore-keys", "3e9"},
                                                           {"--seed", "1e300"},
                                                           {"--period", "inf"},
                                                           {"--groups", "1e20"},
                                                           {"--groups", "30001"},
                                                           {"--groups", "20000,20000"}}) {
        SSimOptions x;
        error.clear();
        EXPECT_FALSE(parse(bad, x, error)) << bad[0] << " " << bad[1];
        EXPECT_FALSE(error.empty());
    }
}

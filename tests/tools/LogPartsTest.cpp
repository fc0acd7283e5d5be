// Pieces of the headless logger: live event prediction, JSON, timers, run file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "LiveJson.h"
#include "LogOptions.h"
#include "LoopTimers.h"
#include "MeterModel.h"
#include "RunFile.h"
#include "files/DataFile.h"

namespace {

struct SNoHost : IReceiverHost {
    int repaints = 0;
    void OnHoldStop() override {}
    void OnDownloadEnded() override {}
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override { ++repaints; }
};

} // namespace

TEST(LiveEvents, PredictionMatchesTheDecodesOfTheReceiver)
{
    SNoHost host;
    CRecordStore store;
    CReceiver rx(host, store);
    rx.ResetForFirstShowing();
    CMeterModel meter(3);
    std::vector<std::uint8_t> stream = meter.Garbage(7);   // a stray start
    for (int i = 0; i < 30; ++i) {
        meter.Step();
        meter.m_dShown = 40.0 + i;   // each frame its own level
        const auto f = meter.LiveFrame(std::tm {});
        stream.insert(stream.end(), f.begin(), f.end());
    }
    // Chunked unevenly: a predicted frame is always followed by a new level.
    int frames = 0;
    double last = rx.m_live.m_dLevel;
    for (std::size_t i = 0, step = 1; i < stream.size(); i += step, step = step % 23 + 1) {
        const std::size_t n = std::min(step, stream.size() - i);
        const ELiveEvent e = PredictLiveEvent(rx, stream.data() + i, n);
        rx.OnReceiveData(stream.data() + i, n);
        if (e == ELiveEvent::Frame) {
            ++frames;
            EXPECT_NE(rx.m_live.m_dLevel, last);
            last = rx.m_live.m_dLevel;
        } else {
            EXPECT_EQ(rx.m_live.m_dLevel, last);
        }
    }
    EXPECT_GE(frames, 25);
    const std::uint8_t hold[2] = {0x0F, 0xF1};   // "ff" across two bytes
    EXPECT_EQ(PredictLiveEvent(rx, hold, 2), ELiveEvent::Hold);
    rx.m_bLogDownload = true;
    EXPECT_EQ(PredictLiveEvent(rx, hold, 2), ELiveEvent::None);
}

TEST(LiveEvents, JsonLineCarriesEveryField)
{
    SLiveReading r;
    r.m_dLevel = 63.5;
    r.m_bWeightA = false;
    r.m_nRange = 2;
    r.m_bHold = true;
    r.m_strMeterTime = "07-12-2026,13:05:09";
    EXPECT_EQ(LiveReadingJson(r),
              "{\"level\":63.5,\"unit\":\"dBC\",\"range\":2,\"fast\":false,\"max\":false,\"min\":false,"
              "\"hold\":true,\"over\":false,\"under\":false,\"rec\":false,\"bar_held\":false,"
              "\"digits_held\":false,\"meter_time\":\"07-12-2026,13:05:09\"}");
    r.m_strMeterTime = std::string("a\"b\\c\x01", 6);
    EXPECT_NE(LiveReadingJson(r).find("\"a\\\"b\\\\c\\u0001\""), std::string::npos);
}

TEST(LoopTimers, DueTimersFireOncePerPeriodAndRestartOnSet)
{
    CLoopTimers timers;
    timers.SetTimer(3, 100);
    timers.SetTimer(2, 1000);
    const auto t0 = CLoopTimers::Clock::now();
    EXPECT_TRUE(timers.TakeDue(t0).empty());
    EXPECT_LE(timers.UntilNext(t0, std::chrono::seconds(5)), std::chrono::milliseconds(100));
    EXPECT_EQ(timers.TakeDue(t0 + std::chrono::milliseconds(150)), std::vector<int>({3}));
    // Far behind: one tick, not a burst of catch-ups.
    EXPECT_EQ(timers.TakeDue(t0 + std::chrono::seconds(3)), std::vector<int>({2, 3}));
    EXPECT_TRUE(timers.TakeDue(t0 + std::chrono::seconds(3)).empty());
    timers.KillTimer(3);
    EXPECT_FALSE(timers.IsSet(3));
    // Timer 2 is due a second later: the fallback wait is shorter.
    EXPECT_EQ(timers.UntilNext(t0 + std::chrono::seconds(3), std::chrono::milliseconds(7)),
              std::chrono::milliseconds(7));
}

TEST(RunFile, AppendsTheBytesOfTheDataFileRecordByRecord)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("sonivel-runfile-" + std::to_string(::getpid()) + ".txt")).string();
    CRecordStore store;
    store.Add(std::make_unique<CObjData>(65.3, "05-12-2011,14:03:07", "dBA", 0, 0.1));
    store.Add(std::make_unique<CObjData>(5.3, "05-12-2011,14:03:07", "dBA", 0, 0.1));
    store.Add(std::make_unique<CObjData>(104.25, "05-12-2011,14:03:08", "dBC", 0, 0.1));
    CRunFile file;
    std::string message;
    ASSERT_TRUE(file.Create(path, message));
    auto contents = [&] {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    EXPECT_EQ(contents(), "");
    for (std::size_t i = 0; i < store.GetSize(); ++i) {
        ASSERT_TRUE(file.Append(store.GetAt(i), message));
        CRecordSelection sofar;   // on disk after each append
        for (std::size_t j = 0; j <= i; ++j)
            sofar.Add(store.GetAt(j));
        EXPECT_EQ(contents(), sonivel::FormatDataFile(sofar));
    }
    file.Close();
    EXPECT_EQ(contents().substr(0, 39), "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n");
    std::filesystem::remove(path);

    EXPECT_FALSE(file.Create("/nonexistent-dir/run.txt", message));
    EXPECT_NE(message.find("/nonexistent-dir/run.txt"), std::string::npos);
}

TEST(LogOptions, CommandsAndTheirChecks)
{
    auto parse = [](std::vector<const char*> args, SLogOptions& o, std::string& error) {
        args.insert(args.begin(), "sonivel-log");
        return ParseLogOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()), o, error);
    };
    SLogOptions o;
    std::string error;
    ASSERT_TRUE(parse({"record", "--interval", "1.5", "--out", "a.txt", "--limit", "7"}, o, error));
    EXPECT_DOUBLE_EQ(o.interval, 1.5);
    EXPECT_EQ(o.limit, 7);
    ASSERT_TRUE(parse({"download", "--out-dir", "d", "--timeout", "2000000"}, o, error));
    for (auto bad : std::vector<std::vector<const char*>> {
             {},
             {"record", "--interval", "0.3", "--out", "a.txt"},
             {"record", "--interval", "1"},
             {"record", "--interval", "1", "--out", "a", "--limit", "0"},
             {"record", "--interval", "1", "--out", "a", "--limit", "40001"},
             {"live", "--count", "1.5"},
             {"live", "--interval", "1"},
             {"download"},
             {"download", "--out-dir", "d", "--timeout", "0"},
             {"download", "--out-dir", "d", "--timeout", "1e10"},
             {"frobnicate"},
             {"live", "--port"}}) {
        SLogOptions x;
        error.clear();
        EXPECT_FALSE(parse(bad, x, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

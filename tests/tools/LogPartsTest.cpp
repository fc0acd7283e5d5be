// Pieces of the headless logger: live event prediction, JSON, timers, run file.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

#include "LiveJson.h"
#include "LogOptions.h"
#include "LoopTimers.h"
#include "MeterModel.h"
#include "PcTime.h"
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
    const std::string pcTime = "2026-12-07T13:05:09.512+01:00";
    EXPECT_EQ(LiveReadingJson(r, pcTime),
              "{\"level\":63.5,\"unit\":\"dBC\",\"range\":2,\"fast\":false,\"max\":false,\"min\":false,"
              "\"hold\":true,\"over\":false,\"under\":false,\"rec\":false,\"bar_held\":false,"
              "\"digits_held\":false,\"meter_time\":\"07-12-2026,13:05:09\","
              "\"pc_time\":\"2026-12-07T13:05:09.512+01:00\"}");
    r.m_strMeterTime = std::string("a\"b\\c\x01", 6);
    EXPECT_NE(LiveReadingJson(r, pcTime).find("\"a\\\"b\\\\c\\u0001\""), std::string::npos);
    r.m_strMeterTime.clear();   // not told yet
    EXPECT_NE(LiveReadingJson(r, pcTime).find("\"meter_time\":null,"), std::string::npos);
}

TEST(LiveEvents, PcTimeIsLocalIso8601WithMillisecondsAndOffset)
{
    const char* const saved = std::getenv("TZ");
    const std::string savedTz = saved ? saved : "";
    struct SCase {
        const char* tz;
        long long ms;   // since the epoch
        const char* text;
    } const cases[] = {
        {"CET-1", 1796724079512LL, "2026-12-08T11:01:19.512+01:00"},
        {"UTC0", 1796724079005LL, "2026-12-08T10:01:19.005+00:00"},
        {"<-0330>3:30", 1796724079999LL, "2026-12-08T06:31:19.999-03:30"},
        {"UTC0", -1LL, "1969-12-31T23:59:59.999+00:00"},
    };
    for (const SCase& c : cases) {
        ::setenv("TZ", c.tz, 1);
        ::tzset();
        EXPECT_EQ(PcTimeText(std::chrono::system_clock::time_point(std::chrono::milliseconds(c.ms))), c.text) << c.tz;
    }
    if (saved)
        ::setenv("TZ", savedTz.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
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

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string RunFilePath(const char* name)
{
    return (std::filesystem::temp_directory_path() / ("sonivel-runfile-" + std::to_string(::getpid()) + name)).string();
}

CRecordStore ThreeRecords()
{
    CRecordStore store;
    store.Add(CObjData(65.3, "05-12-2011,14:03:07", "dBA", 0, 0.1));
    store.Add(CObjData(5.3, "05-12-2011,14:03:07", "dBA", 0, 0.1));
    store.Add(CObjData(104.25, "05-12-2011,14:03:08", "dBC", 0, 0.1));
    return store;
}

} // namespace

TEST(RunFile, AppendsTheBytesOfTheDataFileRecordByRecord)
{
    const std::string path = RunFilePath(".txt");
    const CRecordStore store = ThreeRecords();
    CRunFile file;
    std::string message;
    ASSERT_TRUE(file.Prepare(path, CRunFile::EExisting::Refuse, 0.1, message));
    EXPECT_FALSE(std::filesystem::exists(path));   // no record yet, no file
    for (std::size_t i = 0; i < store.GetSize(); ++i) {
        ASSERT_TRUE(file.Append(store.GetAt(i), message));
        CRecordSelection sofar;   // on disk after each append
        for (std::size_t j = 0; j <= i; ++j)
            sofar.Add(store, j);
        EXPECT_EQ(Contents(path), sonivel::FormatDataFile(sofar));
    }
    file.Close();
    EXPECT_EQ(Contents(path).substr(0, 39), "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n");
    std::filesystem::remove(path);

    EXPECT_FALSE(file.Prepare("/nonexistent-dir/run.txt", CRunFile::EExisting::Refuse, 0.1, message));
    EXPECT_NE(message.find("/nonexistent-dir/run.txt"), std::string::npos);
    // A symbolic link at the path is not written through.
    const std::string other = RunFilePath("-other.txt");
    std::ofstream(other) << "keep";
    std::filesystem::create_symlink(other, path);
    EXPECT_FALSE(file.Prepare(path, CRunFile::EExisting::Refuse, 0.1, message));
    EXPECT_NE(message.find("symbolic link"), std::string::npos) << message;
    std::filesystem::remove(path);
    EXPECT_EQ(Contents(other), "keep");
    std::filesystem::remove(other);
}

TEST(RunFile, AWriteThatFailsMidLineKeepsEveryWholeLine)
{
    // A file size limit makes a write stop part-way through a line and then
    // fail, as a full disk does; it binds root too.
    const CRecordStore store = ThreeRecords();
    const std::size_t header = 39, line = 33;
    struct SCase {
        std::size_t limit;
        std::size_t kept;   // records on disk afterwards; 0: no file
    } cases[] = {{header + line + 10, 1}, {header + 2 * line + 1, 2}, {20, 0}};
    for (const SCase& c : cases) {
        const std::string path = RunFilePath("-full.txt");
        CRunFile file;
        std::string message;
        ASSERT_TRUE(file.Prepare(path, CRunFile::EExisting::Refuse, 0.1, message));
        struct rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = c.limit;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        std::size_t appended = 0;
        while (appended < store.GetSize() && file.Append(store.GetAt(appended), message))
            ++appended;
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        EXPECT_EQ(appended, c.kept) << c.limit;
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find("File too large"), std::string::npos) << message;
        if (c.kept == 0) {
            EXPECT_FALSE(std::filesystem::exists(path)) << c.limit;
            continue;
        }
        CRecordSelection whole;
        for (std::size_t j = 0; j < c.kept; ++j)
            whole.Add(store, j);
        EXPECT_EQ(Contents(path), sonivel::FormatDataFile(whole)) << c.limit;
        std::filesystem::remove(path);
    }
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
    SLogOptions station;
    ASSERT_TRUE(parse({"record", "--interval", "3600", "--out", "%Y.txt", "--limit", "2147483647", "--rotate", "daily",
                       "--append"}, station, error));
    EXPECT_EQ(station.limit, 2147483647);
    EXPECT_EQ(station.rotate, ERotate::Daily);
    ASSERT_TRUE(parse({"download", "--out-dir", "d", "--timeout", "2000000"}, o, error));
    // --opt=value beside --opt value; a value may hold "=" itself.
    SLogOptions eq;
    ASSERT_TRUE(parse({"record", "--interval=0.5", "--out=a=b.txt", "--reconnect"}, eq, error)) << error;
    EXPECT_DOUBLE_EQ(eq.interval, 0.5);
    EXPECT_EQ(eq.out, "a=b.txt");
    EXPECT_TRUE(eq.reconnect);
    for (auto bad : std::vector<std::vector<const char*>> {
             {},
             {"record", "--interval", "0.05", "--out", "a.txt"},
             {"record", "--interval", "3601", "--out", "a.txt"},
             {"record", "--interval", "1", "--out", "a.txt", "--append", "--force"},
             {"record", "--interval", "1", "--out", "a.txt", "--rotate", "weekly"},
             {"record", "--interval", "1"},
             {"record", "--interval", "1", "--out", "a", "--limit", "0"},
             {"record", "--interval", "1", "--out", "a", "--limit", "2147483648"},
             {"live", "--count", "1.5"},
             {"live", "--interval", "1"},
             {"download"},
             {"download", "--out-dir", "d", "--timeout", "0"},
             {"download", "--out-dir", "d", "--timeout", "1e10"},
             {"frobnicate"},
             {"live", "--port"},
             {"live", "--every=0.05"},
             {"live", "--every="},
             {"download", "--out-dir", "d", "--reconnect"}}) {
        SLogOptions x;
        error.clear();
        EXPECT_FALSE(parse(bad, x, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

// sonivel-log and the serial link against the meter simulator on a real
// pseudo-terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "Commands.h"
#include "LiveJson.h"
#include "LogSession.h"
#include "SimProcess.h"
#include "common/Clock.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "protocol/KeySender.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class TempDir {
public:
    TempDir() : m_path(fs::temp_directory_path() / ("sonivel-e2e-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The bytes the program writes for the records read back from a file.
std::string DataFileOf(const sonivel::SDataFileRead& read)
{
    return sonivel::FormatDataFile(read.records);
}

std::string ExportOf(const sonivel::SDataFileRead& read, double sampleRate)
{
    const CRecordList& records = read.records;
    CRunningStats stats;
    for (std::size_t k = 0; k < records.GetSize(); ++k)
        stats.Account(records.GetAt(k), records.GetAt(0), k + 1);
    return sonivel::FormatExport(records, {stats.Stats(), stats.Sum(), sampleRate}, sonivel::EExportSource::MainView);
}

} // namespace

TEST(SonivelLog, LiveRecordAndDownloadAgainstTheSimulator)
{
    CSim sim({"--period", "100", "--fast-download", "--groups", "3,2,4"});
    ASSERT_FALSE(sim.Device().empty());
    TempDir dir;

    auto live = RunLog({"live", "--port", sim.Device(), "--count", "3"});
    ASSERT_EQ(live.status, 0) << live.err;
    const auto lines = Lines(live.out);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.rfind("{\"level\":", 0), 0u) << line;
        EXPECT_NE(line.find("\"unit\":\"dBA\",\"range\":4,\"fast\":true"), std::string::npos) << line;
        EXPECT_TRUE(std::regex_search(line, std::regex("\"meter_time\":(null|\"[^\"]+\"),\"pc_time\":"
                                                       "\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}"
                                                       "[+-]\\d\\d:\\d\\d\"}$")))
            << line;
    }

    auto record = RunLog({"record", "--port", sim.Device(), "--interval", "0.1", "--limit", "4", "--out",
                          dir / "run.txt", "--export", dir / "run.xls"});
    ASSERT_EQ(record.status, 0) << record.err;
    EXPECT_NE(record.out.find("4 records"), std::string::npos);
    const auto read = sonivel::ReadDataFile(dir / "run.txt");
    ASSERT_EQ(read.records.GetSize(), 4u);
    EXPECT_DOUBLE_EQ(read.records.GetAt(0).m_dSampleRate, 0.1);
    for (std::size_t k = 0; k < read.records.GetSize(); ++k) {
        const CObjData r = read.records.GetAt(k);
        EXPECT_GT(r.m_dValue, 30.0);
        EXPECT_EQ(r.m_strUnit, "dBA");
    }
    EXPECT_EQ(Lines(ReadFile(dir / "run.xls")).size(), 10u);   // 5 statistics, heads, 4 records

    auto download = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "logger"});
    ASSERT_EQ(download.status, 0) << download.err;
    EXPECT_EQ(Lines(download.out).size(), 3u);
    const int sizes[3] = {3, 2, 4};
    for (int g = 1; g <= 3; ++g) {
        const auto group = sonivel::ReadDataFile(dir / ("logger/group-" + std::to_string(g) + ".txt"));
        EXPECT_EQ(group.records.GetSize(), static_cast<std::size_t>(sizes[g - 1])) << g;
    }
}

TEST(SonivelLog, ExitStatusesAndOneLineErrors)
{
    auto usage = RunLog({"record", "--interval", "0.05", "--out", "x.txt"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(Lines(usage.err).size(), 1u);
    EXPECT_EQ(RunLog({"--help"}).status, 0);

    auto noPort = RunLog({"live", "--port", "/nonexistent/ttyUSB0"});
    EXPECT_EQ(noPort.status, 3);
    EXPECT_EQ(noPort.err, "sonivel-log: Warning:Can't open /nonexistent/ttyUSB0! No such device: is the meter plugged in?\n");

    CSim silent({"--silent-after", "0"});
    auto quiet = RunLog({"live", "--port", silent.Device()});
    EXPECT_EQ(quiet.status, 4);
    EXPECT_EQ(Lines(quiet.err).size(), 1u);
    EXPECT_LT(quiet.seconds, 4.0);

    CSim stalls({"--period", "100", "--silent-in-download", "--groups", "40,40"});
    TempDir dir;
    auto failed = RunLog({"download", "--port", stalls.Device(), "--out-dir", dir / "x"});
    EXPECT_EQ(failed.status, 4);
    EXPECT_NE(failed.err.find("Occur an error"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "x"));

    CSim mute({"--period", "100", "--no-answer"});
    auto timeout = RunLog({"download", "--port", mute.Device(), "--out-dir", dir / "y", "--timeout", "1"});
    EXPECT_EQ(timeout.status, 4);
    EXPECT_LT(timeout.seconds, 4.0);
}

TEST(SonivelLog, HangingUpDuringARunStopsItWithEveryRecordKept)
{
    CSim sim({"--period", "100", "--hangup-after", "1.5"});
    TempDir dir;
    auto run = RunLog({"record", "--port", sim.Device(), "--interval", "0.1", "--out", dir / "run.txt"});
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_LT(run.seconds, 1.5 + 3.5);
    const auto read = sonivel::ReadDataFile(dir / "run.txt");
    EXPECT_GE(read.records.GetSize(), 5u);
    EXPECT_NE(run.out.find(std::to_string(read.records.GetSize()) + " records"), std::string::npos) << run.out;
}

TEST(SonivelLog, EverySignalEndsTheRunCleanlyAndLiveEndsQuietlyWithoutAReader)
{
    CSim sim({"--period", "100"});
    TempDir dir;
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string out = dir / ("run-" + std::to_string(sig) + ".txt");
        const std::string xls = dir / ("run-" + std::to_string(sig) + ".xls");
        CChild log({SONIVEL_LOG_PATH, "record", "--port", sim.Device(), "--interval", "0.1", "--out", out, "--export", xls});
        std::this_thread::sleep_for(1200ms);
        log.Signal(sig);
        const auto r = log.Wait();
        EXPECT_EQ(r.status, 0) << sig << r.err;
        EXPECT_NE(r.out.find("interrupted"), std::string::npos) << sig;
        const auto read = sonivel::ReadDataFile(out);
        EXPECT_GE(read.records.GetSize(), 3u) << sig;
        EXPECT_NE(r.out.find(std::to_string(read.records.GetSize()) + " records"), std::string::npos) << r.out;
        EXPECT_EQ(ReadFile(out), DataFileOf(read)) << sig;   // whole lines only
        EXPECT_EQ(ReadFile(xls), ExportOf(read, 0.1)) << sig;
    }
    CChild live({SONIVEL_LOG_PATH, "live", "--port", sim.Device()});
    EXPECT_FALSE(live.ReadLine().empty());
    live.CloseOutput();
    const auto ended = live.Wait();
    EXPECT_EQ(ended.status, 0);
    EXPECT_EQ(ended.err, "");
}

TEST(SonivelLog, ExistingFilesAreKeptUnlessContinuedOrReplaced)
{
    CSim sim({"--period", "100"});
    TempDir dir;
    const std::string out = dir / "run.txt";
    auto record = [&](std::vector<std::string> more) {
        std::vector<std::string> args {"record", "--port", sim.Device(), "--limit", "3"};
        args.insert(args.end(), more.begin(), more.end());
        return RunLog(args);
    };
    ASSERT_EQ(record({"--interval", "0.1", "--out", out}).status, 0);
    // A write cut short by a crash left part of a line behind.
    std::ofstream(out, std::ios::app | std::ios::binary) << "05-12-2011,14:0";
    const std::string first = ReadFile(out);
    std::ofstream(dir / "keep.xls") << "keep";
    fs::create_directory_symlink(dir / "", dir / "alias");

    struct SRefused {
        std::vector<std::string> args;
        std::string named;
    } refused[] = {
        {{"--interval", "0.1", "--out", out}, out},
        {{"--interval", "0.1", "--out", dir / "new.txt", "--export", dir / "keep.xls"}, dir / "keep.xls"},
        {{"--interval", "0.1", "--out", dir / "new.txt", "--export", dir / "alias/new.txt", "--force"}, dir / "new.txt"},
        {{"--interval", "1", "--out", out, "--append"}, out},
    };
    for (const auto& c : refused) {
        const auto r = record(c.args);
        EXPECT_EQ(r.status, 1) << c.named;
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_LT(r.seconds, 3.0) << "refused before waiting for the meter";
    }
    EXPECT_EQ(ReadFile(out), first);
    EXPECT_EQ(ReadFile(dir / "keep.xls"), "keep");
    EXPECT_FALSE(fs::exists(dir / "new.txt"));

    // Continued: the old bytes up to the cut line, one header, every record.
    auto appended = record({"--interval", "0.1", "--out", out, "--append", "--export", dir / "keep.xls"});
    ASSERT_EQ(appended.status, 0) << appended.err;
    const auto read = sonivel::ReadDataFile(out);
    ASSERT_EQ(read.records.GetSize(), 6u);
    const std::string whole = ReadFile(out);
    EXPECT_EQ(whole, DataFileOf(read));
    EXPECT_EQ(whole.substr(0, first.rfind('\n') + 1), first.substr(0, first.rfind('\n') + 1));
    EXPECT_EQ(ReadFile(dir / "keep.xls"), ExportOf(read, 0.1));

    ASSERT_EQ(record({"--interval", "0.1", "--out", out, "--force"}).status, 0);
    EXPECT_EQ(sonivel::ReadDataFile(out).records.GetSize(), 3u);
}

// The CSV rows of the records read back from a data text file.
std::string CsvOf(const sonivel::SDataFileRead& read)
{
    std::string csv(sonivel::CsvHeader());
    for (std::size_t k = 0; k < read.records.GetSize(); ++k) {
        const CObjData r = read.records.GetAt(k);
        sonivel::AppendCsvRow(csv, r);
    }
    return csv;
}

// The times of a CSV file's rows (ISO 8601 with milliseconds and offset).
std::vector<std::string> CsvTimes(const std::string& csv)
{
    std::vector<std::string> times;
    for (const std::string& line : Lines(csv))
        if (line.rfind("time,", 0) != 0)
            times.push_back(line.substr(0, line.find(',')));
    return times;
}

// A run's CSV file as its data text file has it: the milliseconds of every
// time set to 000.
std::string WholeSeconds(const std::string& csv)
{
    static const std::regex milli(R"(\.\d{3}([+-]\d{2}:\d{2},.*T\d{2}:\d{2}:\d{2})\.\d{3})");
    return std::regex_replace(csv, milli, ".000$1.000");
}

TEST(SonivelLog, CsvFilesHoldTheRecordsOfTheDataFilesUnderTheSameRules)
{
    CSim sim({"--period", "100", "--fast-download", "--groups", "3,2"});
    TempDir dir;
    const std::string out = dir / "run.txt", csv = dir / "run.csv";
    auto record = [&](std::vector<std::string> more) {
        std::vector<std::string> args {"record", "--port", sim.Device(), "--limit", "3", "--interval", "0.1", "--out", out};
        args.insert(args.end(), more.begin(), more.end());
        return RunLog(args);
    };
    auto first = record({"--csv", csv});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(WholeSeconds(ReadFile(csv)), CsvOf(sonivel::ReadDataFile(out)));
    // Every 0.1 s: the PC clock's milliseconds set apart records of one second.
    const std::vector<std::string> times = CsvTimes(ReadFile(csv));
    ASSERT_EQ(times.size(), 3u);
    EXPECT_TRUE(times[0] < times[1] && times[1] < times[2]) << ReadFile(csv);

    // Refused without --append or --force, and never the data file itself.
    const std::string before = ReadFile(csv);
    for (const auto& other : {dir / "new.csv", csv}) {
        fs::remove(out);
        const auto r = record({"--csv", other == csv ? csv : out});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(other == csv ? csv : out), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFile(csv), before);

    // Continued after a crash cut a row short: the part goes, one header stays.
    ASSERT_EQ(record({"--csv", dir / "second.csv"}).status, 0);
    std::ofstream(dir / "second.csv", std::ios::app | std::ios::binary) << "2026-12-08T11:0";
    auto appended = record({"--csv", dir / "second.csv", "--append"});
    ASSERT_EQ(appended.status, 0) << appended.err;
    const auto read = sonivel::ReadDataFile(out);
    ASSERT_EQ(read.records.GetSize(), 6u);
    EXPECT_EQ(WholeSeconds(ReadFile(dir / "second.csv")), CsvOf(read));

    auto download = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "logger", "--csv"});
    ASSERT_EQ(download.status, 0) << download.err;
    for (int g = 1; g <= 2; ++g) {
        const std::string base = dir / ("logger/group-" + std::to_string(g));
        const auto group = sonivel::ReadDataFile(base + ".txt");
        EXPECT_EQ(group.records.GetSize(), g == 1 ? 3u : 2u);
        EXPECT_EQ(ReadFile(base + ".csv"), CsvOf(group)) << g;
    }
}

// In-process with a settable PC clock: the run crosses a local hour.
TEST(SonivelLog, RotationPutsEveryRecordInTheFileOfItsHour)
{
    CSim sim({"--period", "100"});
    TempDir dir;
    std::tm start {};
    start.tm_year = 2030 - 1900;
    start.tm_mon = 5;
    start.tm_mday = 15;
    start.tm_hour = 10;
    start.tm_min = 59;
    start.tm_sec = 58;
    start.tm_isdst = -1;
    const std::time_t base = std::mktime(&start);
    const std::time_t real = std::time(nullptr);
    sonivel::SetClock([base, real] { return base + (std::time(nullptr) - real); });
    SLogOptions o;
    o.command = "record";
    o.port = sim.Device();
    o.interval = 0.1;
    o.limit = 40;
    o.out = dir / "noise-%Y%m%d-%H.txt";
    o.exportPath = dir / "noise-%Y%m%d-%H.xls";
    o.rotate = ERotate::Hourly;
    const int status = RunRecord(o);
    sonivel::SetClock({});
    ASSERT_EQ(status, 0);

    std::size_t total = 0;
    for (const char* hour : {"10", "11"}) {
        const std::string name = dir / (std::string("noise-20300615-") + hour);
        const auto read = sonivel::ReadDataFile(name + ".txt");
        ASSERT_FALSE(read.records.IsEmpty()) << hour;
        for (std::size_t k = 0; k < read.records.GetSize(); ++k) {
            const CObjData r = read.records.GetAt(k);
            EXPECT_EQ(r.m_strTime.substr(11, 2), hour) << r.m_strTime;
        }
        EXPECT_EQ(ReadFile(name + ".txt"), DataFileOf(read));
        EXPECT_EQ(ReadFile(name + ".xls"), ExportOf(read, 0.1));
        total += read.records.GetSize();
    }
    EXPECT_EQ(total, 40u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / ""), fs::directory_iterator()), 4);
}

TEST(SonivelLog, ARunEndingBeforeItsFirstRecordLeavesNoFileAndSaysSo)
{
    TempDir dir;
    const std::string out = dir / "run.txt";
    // The meter goes silent after a second; the first record would come after ten.
    CSim silent({"--period", "100", "--silent-after", "1"});
    auto quiet = RunLog({"record", "--port", silent.Device(), "--interval", "10", "--out", out});
    EXPECT_EQ(quiet.status, 4);
    // The user ends the run first.
    CSim sim({"--period", "100"});
    CChild log({SONIVEL_LOG_PATH, "record", "--port", sim.Device(), "--interval", "10", "--out", out});
    std::this_thread::sleep_for(1200ms);
    log.Signal(SIGINT);
    const auto interrupted = log.Wait();
    EXPECT_EQ(interrupted.status, 0);
    for (const auto& run : {quiet, interrupted}) {
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(out + " not written"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST(SonivelLog, ADownloadTriesEveryGroupAndNamesEachOneItCouldNotWrite)
{
    CSim sim({"--period", "100", "--fast-download", "--groups", "3,2,4"});
    TempDir dir;
    fs::create_directories(dir / "out/group-2.txt");   // a folder where a file should go
    std::ofstream(dir / "elsewhere.txt") << "keep";
    fs::create_symlink(dir / "elsewhere.txt", dir / "out/group-1.txt");   // planted by someone else
    auto download = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "out"});
    EXPECT_EQ(download.status, 1);
    const auto errors = Lines(download.err);
    ASSERT_EQ(errors.size(), 2u) << download.err;
    EXPECT_NE(errors[0].find("group-1.txt\": it is a symbolic link"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("group-2.txt\": Is a directory"), std::string::npos) << errors[1];
    EXPECT_EQ(ReadFile(dir / "elsewhere.txt"), "keep");
    EXPECT_EQ(Lines(download.out).size(), 1u);
    EXPECT_EQ(sonivel::ReadDataFile(dir / "out/group-3.txt").records.GetSize(), 4u);

    // An existing group file is replaced only with --force.
    std::ofstream(dir / "out/group-3.txt") << "keep";
    auto again = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "out"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("group-3.txt exists"), std::string::npos) << again.err;
    EXPECT_EQ(ReadFile(dir / "out/group-3.txt"), "keep");
    auto forced = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "out", "--force"});
    EXPECT_EQ(Lines(forced.err).size(), 2u) << forced.err;   // the link and the folder only
    EXPECT_EQ(sonivel::ReadDataFile(dir / "out/group-3.txt").records.GetSize(), 4u);
}

// In-process: the session, the key sender and the simulator's key handling.
TEST(SerialLink, KeyPressRepeatsUntilTheMetersFramesShowTheChange)
{
    CSim sim({"--period", "100", "--ignore-keys", "2", "--verbose"});
    CLogSession s;
    std::string message;
    ASSERT_EQ(s.Open(sim.Device(), message), EXIT_OK) << message;
    ASSERT_TRUE(s.WaitForLink(3s));
    while (s.m_rx.m_live.m_nRange == 0)   // a decoded frame first
        s.Pump(50ms);
    ASSERT_TRUE(s.m_rx.m_live.m_bFast);

    CKeySender keys([&s](const std::uint8_t* d, std::size_t n) { return s.Write(d, n); });
    ASSERT_TRUE(keys.Press(KEY_FASTSLOW, s.m_rx.m_live, s.m_rx.m_bLinkAlive, NowMs()));
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (keys.Active() > 0 && std::chrono::steady_clock::now() < end) {
        s.Pump(std::chrono::milliseconds(CKeySender::kTickMs));
        keys.Tick(s.m_rx.m_live, NowMs());
    }
    EXPECT_EQ(keys.Active(), 0u);
    EXPECT_FALSE(s.m_rx.m_live.m_bFast);
    const std::string log = sim.Stop();
    EXPECT_EQ(Lines(log), (std::vector<std::string> {"rx 77", "key 77 lost", "rx 77", "key 77 lost", "rx 77", "key 77"}));
}

TEST(SerialLink, HoldOnTheMeterStopsARun)
{
    CSim sim({"--period", "100"});
    CLogSession s;
    std::string message;
    ASSERT_EQ(s.Open(sim.Device(), message), EXIT_OK) << message;
    ASSERT_TRUE(s.WaitForLink(3s));
    ASSERT_TRUE(s.m_run.Run(0.1));
    for (int i = 0; i < 5; ++i)
        s.Pump(100ms);
    CKeySender keys([&s](const std::uint8_t* d, std::size_t n) { return s.Write(d, n); });
    keys.Press(KEY_STOP, s.m_rx.m_live, true, NowMs());
    const auto end = std::chrono::steady_clock::now() + 3s;
    while (s.m_run.IsRunning() && std::chrono::steady_clock::now() < end) {
        s.Pump(50ms);
        keys.Tick(s.m_rx.m_live, NowMs());
    }
    EXPECT_FALSE(s.m_run.IsRunning());
    EXPECT_TRUE(s.m_bHoldStopped);
    EXPECT_TRUE(s.m_rx.m_live.m_bHold);
    EXPECT_EQ(keys.Active(), 0u);   // the Stop key ended on the HOLD change
    EXPECT_GE(s.m_rtStore.GetSize(), 1u);
}

namespace {

std::time_t WallNow()
{
    return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

// The PC time of a record ("dd-mm-yyyy,hh:mm:ss", local).
std::time_t RecordTime(const CObjData& record)
{
    std::tm tm {};
    std::sscanf(record.m_strTime.c_str(), "%d-%d-%d,%d:%d:%d", &tm.tm_mday, &tm.tm_mon, &tm.tm_year, &tm.tm_hour,
                &tm.tm_min, &tm.tm_sec);
    tm.tm_mon -= 1;
    tm.tm_year -= 1900;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

} // namespace

// An unplug and a replug: the first meter hangs up, its link goes, and a
// second meter (at another level) takes the same link path over a few
// seconds later.
TEST(SonivelLog, ReconnectRecordsOnBothSidesOfAHangUpAndNothingInTheGap)
{
    TempDir dir;
    const std::string link = dir / "meter", out = dir / "run.txt";
    CSim first({"--period", "100", "--level", "40", "--link", link, "--hangup-after", "2.5"});
    CChild log({SONIVEL_LOG_PATH, "record", "--port", link, "--interval", "0.2", "--reconnect", "--out", out});
    first.WaitForEnd();   // the first meter hangs up
    const std::time_t hungUp = WallNow();
    std::this_thread::sleep_for(4s);
    const std::time_t replugged = WallNow();
    CSim second({"--period", "100", "--level", "100", "--link", link});
    std::this_thread::sleep_for(4s);
    log.Signal(SIGINT);
    const auto run = log.Wait();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("link lost: " + link), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("link back: " + link), std::string::npos) << run.err;

    const auto read = sonivel::ReadDataFile(out);
    ASSERT_EQ(read.status, sonivel::SDataFileRead::EStatus::Ok) << read.message;
    std::size_t before = 0, after = 0;
    for (std::size_t k = 0; k < read.records.GetSize(); ++k) {
        const CObjData r = read.records.GetAt(k);
        const std::time_t t = RecordTime(r);
        // A record may be a second late in its text and take bytes up to a
        // second old; none comes from the gap, none from the first meter after it.
        EXPECT_FALSE(t > hungUp + 1 && t < replugged) << r.m_strTime;
        if (t <= hungUp + 1) {
            ++before;
            EXPECT_LT(r.m_dValue, 70.0) << r.m_strTime;
        } else {
            ++after;
            EXPECT_GT(r.m_dValue, 70.0) << r.m_strTime;
        }
    }
    EXPECT_GE(before, 5u);
    EXPECT_GE(after, 5u);
    EXPECT_NE(run.out.find(std::to_string(read.records.GetSize()) + " records"), std::string::npos) << run.out;
}

TEST(SonivelLog, CommandLineConventions)
{
    // --version on both tools.
    for (const char* tool : {SONIVEL_LOG_PATH, SONIVEL_SIM_PATH}) {
        CChild child({tool, "--version"});
        const auto r = child.Wait();
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(std::regex_match(r.out, std::regex("sonivel-(log|meter-sim) \\d+(\\.\\d+)+\n"))) << r.out;
    }
    CSim sim({"--period=100", "--groups=1200"});
    ASSERT_FALSE(sim.Device().empty());

    // --out - : the data text on standard output, the summary on standard error.
    TempDir dir;
    auto record = RunLog({"record", "--port=" + sim.Device(), "--interval=0.1", "--limit=3", "--out", "-"});
    ASSERT_EQ(record.status, 0) << record.err;
    std::ofstream(dir / "stdout.txt", std::ios::binary) << record.out;
    EXPECT_EQ(sonivel::ReadDataFile(dir / "stdout.txt").records.GetSize(), 3u) << record.out;
    EXPECT_NE(record.err.find("3 records in -"), std::string::npos) << record.err;

    // --every: the newest reading once a second (frames come ten times as often).
    auto live = RunLog({"live", "--port", sim.Device(), "--every=1", "--count=3"});
    ASSERT_EQ(live.status, 0) << live.err;
    ASSERT_EQ(Lines(live.out).size(), 3u) << live.out;
    EXPECT_GE(live.seconds, 2.0);

    // The download's progress, at most once a second.
    auto download = RunLog({"download", "--port", sim.Device(), "--out-dir", dir / "logger", "--progress"});
    ASSERT_EQ(download.status, 0) << download.err;
    const auto progress = Lines(download.err);
    ASSERT_GE(progress.size(), 2u) << download.err;
    EXPECT_LE(progress.size(), static_cast<std::size_t>(download.seconds) + 1) << download.err;
    int last = -1;
    for (const auto& line : progress) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, std::regex("sonivel-log: download (\\d+)%"))) << line;
        EXPECT_GT(std::stoi(m[1]), last);
        last = std::stoi(m[1]);
    }
}

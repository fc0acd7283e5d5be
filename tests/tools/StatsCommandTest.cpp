// sonivel-log stats through the real binary on a data text file of chosen
// levels, written by the program's own writer, and the figures record gives
// at the end of a run against the meter simulator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "SimProcess.h"
#include "files/DataFile.h"

namespace fs = std::filesystem;

namespace {

// Writes the data text file of (time, level, unit) records taken every second.
void WriteRecords(const std::string& path, const std::vector<std::tuple<const char*, double, const char*>>& records)
{
    std::ofstream out(path, std::ios::binary);
    out << sonivel::FormatDataHeaderLine(1.0);
    for (const auto& [time, level, unit] : records)
        out << sonivel::FormatDataRecordLine(CObjData(level, time, unit, 0, 1.0));
}

} // namespace

// The figures of the file are those worked out by hand in
// tests/acoustics/NoiseFiguresTest.cpp (same records), rounded to 0.01, with
// local times in a zone one hour east of UTC; a file that cannot be read is
// named in one line and the files after it are still reported.
TEST(SonivelLogStats, FiguresOfAFilePerWeightingAndAFileThatCannotBeRead)
{
    ::setenv("TZ", "CET-1", 1);   // the child's local time: UTC+1 all year
    const fs::path dir = fs::temp_directory_path() / ("sonivel-stats-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "run.txt").string(), missing = (dir / "missing.txt").string();
    WriteRecords(file, {{"08-12-2026,06:59:59", 60.0, "dBA"}, {"08-12-2026,07:00:00", 70.0, "dBA"},
                        {"08-12-2026,07:00:01", 90.0, "dBC"}, {"08-12-2026,07:30:00", 70.0, "dBA"},
                        {"08-12-2026,19:00:00", 80.0, "dBA"}, {"08-12-2026,22:00:00", 90.0, "dBC"},
                        {"08-12-2026,23:00:00", 50.0, "dBA"}, {"08-12-2026,23:10:00", 80.0, "dBA"}});

    const std::string a =
        "{\"file\":\"" + file + "\",\"weighting\":\"A\",\"count\":6,\"start\":\"2026-12-08T06:59:59.000+01:00\","
        "\"end\":\"2026-12-08T23:10:00.000+01:00\",\"duration_s\":6,\"lmax\":80.00,"
        "\"lmax_time\":\"2026-12-08T19:00:00.000+01:00\",\"lmin\":50.00,"
        "\"lmin_time\":\"2026-12-08T23:00:00.000+01:00\",\"average\":68.33,\"leq\":75.66,\"sel\":83.45,"
        "\"l5\":80.00,\"l10\":80.00,\"l50\":70.00,\"l90\":55.00,\"l95\":52.50";
    const std::string c =
        "{\"file\":\"" + file + "\",\"weighting\":\"C\",\"count\":2,\"start\":\"2026-12-08T07:00:01.000+01:00\","
        "\"end\":\"2026-12-08T22:00:00.000+01:00\",\"duration_s\":2,\"lmax\":90.00,"
        "\"lmax_time\":\"2026-12-08T07:00:01.000+01:00\",\"lmin\":90.00,"
        "\"lmin_time\":\"2026-12-08T07:00:01.000+01:00\",\"average\":90.00,\"leq\":90.00,\"sel\":93.01,"
        "\"l5\":90.00,\"l10\":90.00,\"l50\":90.00,\"l90\":90.00,\"l95\":90.00";

    const SProcessResult plain = RunLog({"stats", missing, file});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, a + "}\n" + c + "}\n");
    EXPECT_EQ(plain.err.find('\n'), plain.err.size() - 1) << plain.err;
    EXPECT_NE(plain.err.find(missing), std::string::npos) << plain.err;

    const SProcessResult hourly = RunLog({"stats", "--hourly", file});
    EXPECT_EQ(hourly.status, 0) << hourly.err;
    EXPECT_EQ(hourly.out,
              a + ",\"hourly\":[{\"hour\":\"2026-12-08T06:00:00.000+01:00\",\"leq\":60.00,\"count\":1},"
                  "{\"hour\":\"2026-12-08T07:00:00.000+01:00\",\"leq\":70.00,\"count\":2},"
                  "{\"hour\":\"2026-12-08T19:00:00.000+01:00\",\"leq\":80.00,\"count\":1},"
                  "{\"hour\":\"2026-12-08T23:00:00.000+01:00\",\"leq\":76.99,\"count\":2}],"
                  "\"lday\":70.00,\"levening\":80.00,\"lnight\":75.28,\"lden\":82.31}\n"
              + c + ",\"hourly\":[{\"hour\":\"2026-12-08T07:00:00.000+01:00\",\"leq\":90.00,\"count\":1},"
                    "{\"hour\":\"2026-12-08T22:00:00.000+01:00\",\"leq\":90.00,\"count\":1}],"
                    "\"lday\":90.00,\"levening\":90.00}\n");
    fs::remove_all(dir);
}

// record --stats-json ends standard output with exactly what stats gives for
// the file the run wrote, whether the data text went to a file or to standard
// output (then the JSON comes after it); a run without a record gives count 0.
TEST(SonivelLogStats, ARunEndsWithTheFiguresOfItsRecords)
{
    const fs::path dir = fs::temp_directory_path() / ("sonivel-run-stats-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string file = (dir / "run.txt").string(), piped = (dir / "piped.txt").string();
    CSim sim({"--period", "50"});

    const SProcessResult run = RunLog({"record", "--port", sim.Device(), "--interval", "0.1", "--limit", "12", "--out",
                                       file, "--stats-json", "--hourly"});
    ASSERT_EQ(run.status, 0) << run.err;
    const SProcessResult stats = RunLog({"stats", "--hourly", file});
    ASSERT_EQ(stats.status, 0) << stats.err;
    EXPECT_NE(stats.out.find("\"count\":12,"), std::string::npos) << stats.out;
    EXPECT_EQ(run.out, "12 records in " + file + "; the run ended: record limit reached\n" + stats.out);

    const SProcessResult toStdout =
        RunLog({"record", "--port", sim.Device(), "--interval", "0.1", "--limit", "5", "--out", "-", "--stats-json"});
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    const std::size_t last = toStdout.out.rfind('\n', toStdout.out.size() - 2) + 1;
    std::ofstream(piped, std::ios::binary) << toStdout.out.substr(0, last);
    std::string expected = RunLog({"stats", piped}).out;
    expected.replace(expected.find(piped), piped.size(), "-");
    EXPECT_NE(expected.find("\"count\":5,"), std::string::npos) << expected;
    EXPECT_EQ(toStdout.out.substr(last), expected);

    // Ended by the user before its first record (taken after ten seconds).
    CChild early({SONIVEL_LOG_PATH, "record", "--port", sim.Device(), "--interval", "10", "--out", file + ".new",
                  "--stats-json"});
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    early.Signal(SIGINT);
    const SProcessResult empty = early.Wait();
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.out, "{\"file\":\"" + file + ".new\",\"weighting\":null,\"count\":0,\"start\":null,\"end\":null,"
                         "\"duration_s\":0,\"lmax\":null,\"lmax_time\":null,\"lmin\":null,\"lmin_time\":null,"
                         "\"average\":null,\"leq\":null,\"sel\":null,\"l5\":null,\"l10\":null,\"l50\":null,"
                         "\"l90\":null,\"l95\":null}\n");
    fs::remove_all(dir);
}

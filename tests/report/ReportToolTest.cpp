// sonivel-report, the real program, on data text files of chosen levels
// written by the program's own writer; the PDF is read back with pdftotext.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "PdfText.h"
#include "common/Text.h"
#include "files/DataFile.h"

namespace fs = std::filesystem;
using reporttest::PdfPages;
using reporttest::Row;

#define D "\xE2\x80\x93"   // the en dash of the hour ranges

namespace {

using Records = std::vector<std::tuple<std::string, double, const char*>>;

void WriteRecords(const fs::path& path, const Records& records, double rate)
{
    std::ofstream out(path, std::ios::binary);
    out << sonivel::FormatDataHeaderLine(rate);
    for (const auto& [time, level, unit] : records)
        out << sonivel::FormatDataRecordLine(CObjData(level, time, unit, 0, rate));
}

class ReportTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sonivel-report-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    reporttest::SRun Report(std::vector<std::string> args)
    {
        args.insert(args.begin(), SONIVEL_REPORT_PATH);
        return reporttest::Run(args, dir);
    }
    fs::path dir;
};

} // namespace

// Five dBA records one second apart, sorted 40 50 60 70 80 dB:
//   LAeq = 10 lg((1e4 + 1e5 + 1e6 + 1e7 + 1e8) / 5) = 73.47; SEL = 73.47 + 10 lg 5 = 80.46
//   PERCENTILE.INC, rank h = 4p: LA5 h 3.8 -> 78, LA10 h 3.6 -> 76, LA50 60, LA90 h 0.4 -> 44, LA95 h 0.2 -> 42
//   average 60; LAmax 80 at 19:00:00; LAmin 40 at 23:00:00; duration 5 s
//   Lday (18:59:58, :59) = 10 lg((1e6 + 1e7) / 2) = 67.40; Levening (19:00:00, 22:59:59)
//   = 10 lg((1e8 + 1e5) / 2) = 76.99; Lnight 40;
//   Lden = 10 lg((12 x 10^6.740 + 4 x 10^8.199 + 8 x 10^5) / 24) = 74.65
//   hourly: 18 h 67.4 (2), 19 h 80.0, 22 h 50.0, 23 h 40.0.
// One dBC record in the middle has its own page (LCeq 90.0) and changes none of them.
TEST_F(ReportTool, FiguresOfAFileOfChosenLevelsPerWeighting)
{
    WriteRecords(dir / "run.txt",
                 {{"08-12-2026,18:59:58", 60.0, "dBA"}, {"08-12-2026,18:59:59", 70.0, "dBA"},
                  {"08-12-2026,19:00:00", 80.0, "dBA"}, {"08-12-2026,19:30:00", 90.0, "dBC"},
                  {"08-12-2026,22:59:59", 50.0, "dBA"}, {"08-12-2026,23:00:00", 40.0, "dBA"}},
                 1.0);
    const reporttest::SRun r = Report({(dir / "run.txt").string(), "-o", (dir / "report.pdf").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::vector<std::string> pages = PdfPages(dir / "report.pdf");
    ASSERT_EQ(pages.size(), 2u);
    const std::string& a = pages[0];
    for (const std::vector<std::string>& row : std::vector<std::vector<std::string>>{
             {"Noise report"},
             {"08 Dec 2026 18:59:58", "08 Dec 2026 23:00:00", "A-weighted (dBA)", "73.5 dB"},
             {"LAeq", "73.5", "dB"},
             {"LAmax", "80.0", "dB", "at 08 Dec 2026 19:00:00"},
             {"LAmin", "40.0", "dB", "at 08 Dec 2026 23:00:00"},
             {"LA5", "78.0"}, {"LA10", "76.0"}, {"LA50", "60.0"}, {"LA90", "44.0"}, {"LA95", "42.0"},
             {"SEL", "80.5"}, {"Average", "60.0"}, {"Count", "5"}, {"Duration", "5 s"},
             {"Lday", "67.4"}, {"Levening", "77.0"}, {"Lnight", "40.0"}, {"Lden", "74.6"},
             {"18:00" D "19:00", "Day", "67.4", "2"}, {"19:00" D "20:00", "Evening", "80.0", "1"},
             {"22:00" D "23:00", "Evening", "50.0", "1"}, {"23:00" D "00:00", "Night", "40.0", "1"},
             {"run.txt, A-weighted (dBA)", "Page 1 of 2"}})
        EXPECT_NE(Row(a, row), "") << "no row " << ::testing::PrintToString(row) << " in\n" << a;
    EXPECT_EQ(a.find("LC"), std::string::npos);
    EXPECT_EQ(a.find("90.0"), std::string::npos) << a;

    const std::string& c = pages[1];
    for (const std::vector<std::string>& row : std::vector<std::vector<std::string>>{
             {"C-weighted (dBC)", "90.0 dB"}, {"LCeq", "90.0", "dB"}, {"LC10", "90.0"}, {"Count", "1"},
             {"Lden", "\xE2\x80\x94"}, {"run.txt, C-weighted (dBC)", "Page 2 of 2"}})
        EXPECT_NE(Row(c, row), "") << "no row " << ::testing::PrintToString(row) << " in\n" << c;
    EXPECT_EQ(c.find("LA"), std::string::npos);
}

// 26 hours at one record a minute from 11:00: 60 dB in the day (07-19 h), 55 in
// the evening, 50 at night, so Lday 60, Levening 55, Lnight 50 and
// Lden = 10 lg((12 x 1e6 + 4 x 10^6 + 8 x 10^6) / 24) = 60.0 exactly. The
// hourly table (26 rows of 60 records) goes on a page of its own.
TEST_F(ReportTool, ADayGivesTheHourlyTableAndLden)
{
    Records records;
    for (int m = 0; m < 26 * 60; ++m) {
        const int hour = (11 + m / 60) % 24;
        const double level = hour >= 7 && hour < 19 ? 60.0 : hour >= 19 && hour < 23 ? 55.0 : 50.0;
        records.emplace_back(sonivel::Format("%.2d-12-2026,%.2d:%.2d:00", 8 + (11 + m / 60) / 24, hour, m % 60),
                             level, "dBA");
    }
    WriteRecords(dir / "day.txt", records, 60.0);
    const reporttest::SRun r = Report({(dir / "day.txt").string(), "-o", (dir / "day.pdf").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> pages = PdfPages(dir / "day.pdf");
    ASSERT_EQ(pages.size(), 2u);
    for (const std::vector<std::string>& row : std::vector<std::vector<std::string>>{
             {"Lday", "60.0"}, {"Levening", "55.0"}, {"Lnight", "50.0"}, {"Lden", "60.0"},
             {"Count", "1,560"}, {"Duration", "26 h 00 min 00 s"}, {"Page 1 of 2"}})
        EXPECT_NE(Row(pages[0], row), "") << ::testing::PrintToString(row) << " in\n" << pages[0];
    for (const std::vector<std::string>& row : std::vector<std::vector<std::string>>{
             {"Hourly LAeq"}, {"08 Dec 2026", "11:00" D "12:00", "Day", "60.0", "60"},
             {"22:00" D "23:00", "Evening", "55.0", "60"}, {"09 Dec 2026", "00:00" D "01:00", "Night", "50.0", "60"},
             {"12:00" D "13:00", "Day", "60.0", "60"}, {"Page 2 of 2"}})
        EXPECT_NE(Row(pages[1], row), "") << ::testing::PrintToString(row) << " in\n" << pages[1];
}

// A PDF that cannot be written (a missing folder, a folder in the way) and an
// input that cannot be read: exit status 1, the file named on standard
// error, no PDF and no temporary file left, an existing PDF as it was.
TEST_F(ReportTool, FailuresNameTheFileAndLeaveNoFile)
{
    WriteRecords(dir / "run.txt", {{"08-12-2026,10:00:00", 60.0, "dBA"}}, 1.0);
    const std::string run = (dir / "run.txt").string();
    const std::string missingFolder = (dir / "no-such-folder" / "report.pdf").string();
    fs::create_directories(dir / "out" / "report.pdf");   // a folder where the file should go
    const std::string folderInTheWay = (dir / "out" / "report.pdf").string();
    for (const std::string& out : {missingFolder, folderInTheWay}) {
        const reporttest::SRun r = Report({run, "-o", out});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
    EXPECT_TRUE(fs::is_empty(dir / "out" / "report.pdf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 1);

    std::ofstream(dir / "old.pdf") << "the report of yesterday";
    const std::string unreadable = (dir / "missing.txt").string();
    const reporttest::SRun r = Report({run, unreadable, "-o", (dir / "old.pdf").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(unreadable), std::string::npos) << r.err;
    EXPECT_EQ(reporttest::Slurp(dir / "old.pdf"), "the report of yesterday");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);   // run.txt, out, old.pdf
}

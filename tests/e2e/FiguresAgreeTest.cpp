// One data text file of chosen levels and every place that shows its noise
// figures: the Noise Statistics window of the data-logger window, the window's
// Export CSV, sonivel-log stats --hourly, sonivel-report and the window's
// Report PDF (both read back with pdftotext). One table of hand-computed
// figures is compared against each of them, at the precision each shows.
#include <QAction>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>

#include "acoustics/NoiseStatsWnd.h"
#include "common/Text.h"
#include "files/DataFile.h"
#include "logger/DataLogDlg.h"
#include "report/PdfText.h"
#include "support/ScriptedDialogs.h"
#include "view/MyKovaView.h"

using sonivel::Format;

namespace {

#define D "\xE2\x80\x93"   // the en dash of the report's hour ranges

// The survey: 08-12-2026, dBA, interval 1 s. Quiet nights, a busy day, three
// loud moments (95 dB at 08:30, 90 dB at 12:30, 85 dB at 21:15).
struct SRecord {
    const char* time;
    double level;
};
const SRecord kRecords[] = {
    {"00:00:00", 38.0}, {"01:00:00", 39.5}, {"02:00:00", 41.0}, {"03:00:00", 40.0}, {"04:00:00", 42.5},
    {"05:00:00", 43.0}, {"06:00:00", 44.5},
    {"07:00:00", 52.0}, {"07:30:00", 54.5}, {"08:00:00", 56.0}, {"08:30:00", 95.0}, {"09:00:00", 57.5},
    {"09:30:00", 53.0}, {"10:00:00", 55.0}, {"10:30:00", 58.5}, {"11:00:00", 60.0}, {"11:30:00", 56.5},
    {"12:00:00", 59.0}, {"12:30:00", 90.0}, {"13:00:00", 54.0}, {"13:30:00", 57.0}, {"14:00:00", 61.5},
    {"14:30:00", 55.5}, {"15:00:00", 53.5}, {"15:30:00", 58.0}, {"16:00:00", 62.0}, {"16:30:00", 56.0},
    {"17:00:00", 59.5}, {"17:30:00", 60.5}, {"18:00:00", 57.0}, {"18:30:00", 55.0},
    {"19:00:00", 50.5}, {"20:00:00", 49.0}, {"21:00:00", 48.0}, {"21:15:00", 85.0}, {"22:00:00", 47.5},
    {"23:00:00", 45.0},
};

// Worked out by hand from the records above (N = 37, T = 1 s):
//   energies 10^(L/10) sum to 4.492005e9, mean 1.214056e8:
//     LAeq = 10 lg 1.214056e8 = 80.8424, while the arithmetic Average is
//     2050 / 37 = 55.4054: the loud moments put LAeq 25.4 dB above it.
//   SEL = LAeq + 10 lg(37 x 1 s) = 80.8424 + 15.6820 = 96.5244.
//   Sorted: 38 39.5 40 41 42.5 43 44.5 45 47.5 48 49 50.5 52 53 53.5 54 54.5
//     55 55 55.5 56 56 56.5 57 57 57.5 58 58.5 59 59.5 60 60.5 61.5 62 85 90 95;
//     PERCENTILE.INC at rank h = 36 p (from 0):
//     LA5  = P95, h 34.2: 85 + 0.2 x 5     = 86.0
//     LA10 = P90, h 32.4: 61.5 + 0.4 x 0.5 = 61.7
//     LA50 = P50, h 18:                      55.0
//     LA90 = P10, h 3.6:  41 + 0.6 x 1.5   = 41.9
//     LA95 = P5,  h 1.8:  39.5 + 0.8 x 0.5 = 39.9
//   LAmax 95.0 at 08:30:00, LAmin 38.0 at 00:00:00.
//   Lday (07-19, 24 records): energy 4.175331e9 / 24 = 1.739721e8 -> 82.4048
//   Levening (19-23, 5 records): 3.165387e8 / 5 = 6.330775e7 -> 78.0146
//   Lnight (23-07, 8 records): 1.353534e5 / 8 = 1.691917e4 -> 42.2838
//   Lden = 10 lg((12 x 10^8.24048 + 4 x 10^8.30146 + 8 x 10^5.22838) / 24) = 80.8066
// Each figure is written with four decimals, enough for one and two decimals
// to round from it as from the exact value.
struct SFigure {
    const char* name;   // as the window and the report call it
    const char* key;    // its key in the stats line
    double value;
    const char* at = nullptr;   // the time of LAmax and LAmin
};
const SFigure kFigures[] = {
    {"LAeq", "leq", 80.8424},          {"LAmax", "lmax", 95.0, "08:30:00"}, {"LAmin", "lmin", 38.0, "00:00:00"},
    {"LA5", "l5", 86.0},              {"LA10", "l10", 61.7},               {"LA50", "l50", 55.0},
    {"LA90", "l90", 41.9},            {"LA95", "l95", 39.9},               {"SEL", "sel", 96.5244},
    {"Average", "average", 55.4054},   {"Lday", "lday", 82.4048},            {"Levening", "levening", 78.0146},
    {"Lnight", "lnight", 42.2838},     {"Lden", "lden", 80.8066},
};
constexpr int kCount = 37;

// Hourly LAeq: one record gives its own level; two give
// 10 lg((10^(a/10) + 10^(b/10)) / 2), e.g. 08 h 10 lg((10^5.6 + 10^9.5) / 2) = 91.9902.
struct SHour {
    int hour;
    double leq;
    int count;
};
const SHour kHours[] = {
    {0, 38.0, 1},    {1, 39.5, 1},    {2, 41.0, 1},    {3, 40.0, 1},    {4, 42.5, 1},    {5, 43.0, 1},
    {6, 44.5, 1},    {7, 53.4275, 2},  {8, 91.9902, 2},  {9, 55.8085, 2},  {10, 57.0934, 2}, {11, 58.5934, 2},
    {12, 86.9931, 2}, {13, 55.7540, 2}, {14, 59.4629, 2}, {15, 56.3085, 2}, {16, 59.9629, 2}, {17, 60.0287, 2},
    {18, 56.1141, 2}, {19, 50.5, 1},   {20, 49.0, 1},   {21, 81.9906, 2}, {22, 47.5, 1},   {23, 45.0, 1},
};

std::string Level1(double v) { return Format("%.1f", v); }
std::string Level2(double v) { return Format("%.2f", v); }
std::string Iso(const std::string& time) { return "2026-12-08T" + time + ".000+01:00"; }

// Local time one hour east of UTC all year while the test runs (the tools
// inherit it): the ISO times then end in +01:00.
class CZoneOneHourEast {
public:
    CZoneOneHourEast()
    {
        if (const char* tz = std::getenv("TZ"))
            m_old = tz;
        ::setenv("TZ", "CET-1", 1);
        ::tzset();
    }
    ~CZoneOneHourEast()
    {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_old;
};

// The value (column 1) or time (column 2) of a row of one of the window's tables.
std::string Cell(const QTableWidget* table, const QString& first, int column)
{
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == first)
            return table->item(r, column)->text().toStdString();
    return "absent";
}

void ExpectReport(const std::string& pdf, const std::string& title)
{
    SCOPED_TRACE(title);
    std::string text;
    for (const std::string& page : reporttest::PdfPages(pdf))
        text += page;
    std::vector<std::vector<std::string>> rows = {{title}, {"Count", std::to_string(kCount)}, {"Duration", "37 s"}};
    for (const SFigure& f : kFigures) {
        rows.push_back({f.name, Level1(f.value)});
        if (f.at)
            rows.back().insert(rows.back().end(), {"dB", std::string("at 08 Dec 2026 ") + f.at});
    }
    for (const SHour& h : kHours)
        rows.push_back({Format("%.2d:00" D "%.2d:00", h.hour, (h.hour + 1) % 24),
                        h.hour >= 7 && h.hour < 19 ? "Day" : h.hour >= 19 && h.hour < 23 ? "Evening" : "Night",
                        Level1(h.leq), std::to_string(h.count)});
    for (const std::vector<std::string>& row : rows)
        EXPECT_NE(reporttest::Row(text, row), "") << "no row " << ::testing::PrintToString(row) << " in\n" << text;
}

} // namespace

TEST(FiguresAgree, WindowCsvStatsAndReportsShowTheHandComputedFigures)
{
    CZoneOneHourEast zone;
    testsupport::CScriptedDialogs dialogs;
    QTemporaryDir dir;
    const std::string file = dir.filePath("survey.txt").toStdString();
    {
        std::string content = sonivel::FormatDataHeaderLine(1.0);
        for (const SRecord& r : kRecords)
            content += sonivel::FormatDataRecordLine(CObjData(r.level, std::string("08-12-2026,") + r.time, "dBA", 0, 1.0));
        std::ofstream(file, std::ios::binary) << content;
    }
    ASSERT_EQ(std::size(kRecords), std::size_t{kCount});

    // The Noise Statistics window of the data-logger window, the file's group selected.
    CMyKovaView view(nullptr, SViewOptions{QString(), false});
    view.OpenDataFile(QString::fromStdString(file));
    auto* logger = view.findChild<CDataLogDlg*>();
    ASSERT_NE(logger, nullptr);
    logger->OnGroupDoubleClicked(0);
    FindById<QAction>(logger, 32835)->trigger();
    auto* wnd = logger->findChild<CNoiseStatsWnd*>();
    ASSERT_NE(wnd, nullptr);
    {
        SCOPED_TRACE("Noise Statistics window");
        const auto* figures = FindById<QTableWidget>(wnd, noiseid::Figures(0, 0));
        const auto* hourly = FindById<QTableWidget>(wnd, noiseid::Hourly(0, 0));
        ASSERT_NE(figures, nullptr);
        ASSERT_NE(hourly, nullptr);
        EXPECT_EQ(Cell(figures, "Count", 1), std::to_string(kCount));
        for (const SFigure& f : kFigures) {
            EXPECT_EQ(Cell(figures, f.name, 1), Level1(f.value) + " dB") << f.name;
            if (f.at) {
                EXPECT_EQ(Cell(figures, f.name, 2), std::string("2026-12-08 ") + f.at) << f.name;
            }
        }
        ASSERT_EQ(hourly->rowCount(), static_cast<int>(std::size(kHours)));
        for (const SHour& h : kHours) {
            const QString hour = QString::fromStdString(Format("2026-12-08 %.2d:00", h.hour));
            EXPECT_EQ(Cell(hourly, hour, 1), Level1(h.leq) + " dB") << h.hour;
            EXPECT_EQ(Cell(hourly, hour, 2), std::to_string(h.count)) << h.hour;
        }
    }

    // Export CSV of the same window: a row per record with the file's time and
    // level, whose energy mean gives LAeq again.
    {
        SCOPED_TRACE("Export CSV");
        dialogs.savePath = dir.filePath("survey.csv");
        FindById<QAction>(logger, 32833)->trigger();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
        std::string expected = "time,level_db,weighting,local_time\r\n";
        for (const SRecord& r : kRecords)
            expected += Iso(r.time) + "," + Level2(r.level) + ",A,2026-12-08T" + r.time + ".000\r\n";
        const std::string csv = reporttest::Slurp(dialogs.savePath.toStdString());
        EXPECT_EQ(csv, expected);
        std::istringstream lines(csv);
        std::string line;
        std::getline(lines, line);   // the header
        double energy = 0;
        int rows = 0;
        while (std::getline(lines, line)) {
            const std::size_t comma = line.find(',');
            energy += std::pow(10.0, std::strtod(line.c_str() + comma + 1, nullptr) / 10);
            ++rows;
        }
        EXPECT_EQ(rows, kCount);
        EXPECT_EQ(Level2(10 * std::log10(energy / rows)), Level2(kFigures[0].value));
    }

    // sonivel-log stats --hourly: one line with every figure to 0.01.
    {
        SCOPED_TRACE("sonivel-log stats --hourly");
        const reporttest::SRun stats = reporttest::Run({SONIVEL_LOG_PATH, "stats", "--hourly", file}, dir.path().toStdString());
        ASSERT_EQ(stats.status, 0) << stats.err;
        ASSERT_EQ(std::count(stats.out.begin(), stats.out.end(), '\n'), 1) << stats.out;
        const std::size_t hourlyAt = stats.out.find(",\"hourly\":[");
        const std::size_t hourlyEnd = stats.out.find(']', hourlyAt);
        ASSERT_NE(hourlyEnd, std::string::npos) << stats.out;
        const std::string figures = stats.out.substr(0, hourlyAt) + stats.out.substr(hourlyEnd + 1);
        const std::string hourly = stats.out.substr(hourlyAt, hourlyEnd + 1 - hourlyAt);
        std::vector<std::string> parts = {"\"weighting\":\"A\"", "\"count\":37", "\"duration_s\":37",
                                          "\"start\":\"" + Iso("00:00:00") + "\"", "\"end\":\"" + Iso("23:00:00") + "\""};
        for (const SFigure& f : kFigures) {
            parts.push_back("\"" + std::string(f.key) + "\":" + Level2(f.value));
            if (f.at)
                parts.push_back("\"" + std::string(f.key) + "_time\":\"" + Iso(f.at) + "\"");
        }
        for (const std::string& part : parts)   // a whole field: a comma or the end after it
            EXPECT_TRUE(figures.find(part + ",") != std::string::npos || figures.find(part + "}") != std::string::npos)
                << part << " not in " << figures;
        std::string expectedHourly = ",\"hourly\":[";
        for (const SHour& h : kHours)
            expectedHourly += Format("%s{\"hour\":\"%s\",\"leq\":%s,\"count\":%d}", h.hour ? "," : "",
                                     Iso(Format("%.2d:00:00", h.hour)).c_str(), Level2(h.leq).c_str(), h.count);
        EXPECT_EQ(hourly, expectedHourly + "]");
    }

    // sonivel-report on the file, and Report PDF of the window.
    const std::string toolPdf = dir.filePath("tool.pdf").toStdString();
    const reporttest::SRun report = reporttest::Run({SONIVEL_REPORT_PATH, file, "-o", toolPdf}, dir.path().toStdString());
    ASSERT_EQ(report.status, 0) << report.err;
    ExpectReport(toolPdf, "survey.txt, A-weighted (dBA)");
    dialogs.savePath = dir.filePath("window.pdf");
    FindById<QAction>(logger, 32834)->trigger();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    ExpectReport(dialogs.savePath.toStdString(), "Data logger group 0");
}

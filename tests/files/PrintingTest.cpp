#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include <cstdio>
#include <regex>

#include "support/ScriptedDialogs.h"
#include "TempDir.h"
#include "common/Clock.h"
#include "common/Text.h"
#include "files/Printing.h"
#include "monitor/Statistics.h"

using namespace sonivel;
using testsupport::CScriptedDialogs;

namespace {

std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

std::string PdfText(const std::string& pdf, int page = 0)
{
    const std::string pages = page > 0 ? Format("-f %d -l %d ", page, page) : std::string();
    return Run("pdftotext -layout " + pages + "'" + pdf + "' - 2>/dev/null");
}

int PdfPages(const std::string& pdf)
{
    std::smatch m;
    const std::string info = Run("pdfinfo '" + pdf + "' 2>/dev/null");
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : 0;
}

std::size_t Occurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++count;
    return count;
}

// A monitoring run of n records one second apart with unique time texts, and
// its statistics as the main view keeps them.
struct SRun {
    CRecordStore store;
    SStatBlock block;
};

SRun MakeRun(std::size_t n)
{
    SRun run;
    CRunningStats stats;
    stats.Reset();
    for (std::size_t i = 0; i < n; ++i) {
        const int s = static_cast<int>(i);
        const double level = 40.0 + static_cast<double>((i * 37) % 600) / 10.0;
        const CObjData& r = run.store.Add(std::make_unique<CObjData>(
            level, Format("05-12-2011,%.2d:%.2d:%.2d", 14 + s / 3600, s / 60 % 60, s % 60), "dBA", 0, 1.0));
        stats.Account(r, run.store.GetAt(0), run.store.GetSize());
    }
    run.block.stats = stats.Stats();
    run.block.dSum = stats.Sum();
    run.block.dSampleRate = 1.0;
    return run;
}

SChartState FittedChart(std::size_t n)
{
    SChartState c;
    SetInitialView(c, 790, 330);
    FitOrFollow(c, n, {});
    return c;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::time_t now = testsupport::LocalMoment(2026, 7, 2, 5, 9, 3);
        SetClock([now] { return now; });
        dialogs.setupPrinter = CScriptedDialogs::PrintToPdf(QString::fromStdString(pdf));
        dialogs.answerOk = false;
    }
    void TearDown() override
    {
        SetClock({});
        // SONIVEL_KEEP_PDF=<folder> keeps the printouts for looking at them.
        if (const char* keep = std::getenv("SONIVEL_KEEP_PDF"); keep && std::filesystem::exists(pdf)) {
            const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
            std::filesystem::copy_file(pdf, std::string(keep) + "/" + name + ".pdf",
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    CTempDir dir;
    const std::string pdf = dir.Path("out.pdf");
    CScriptedDialogs dialogs;
    CPrintRX job;
};

} // namespace

TEST_F(Printing, DataTablePrintsStatisticsHeadsFootersAndEveryRecordOnce)
{
    const SRun run = MakeRun(500);
    PrintData(job, nullptr, run.store, run.block);
    ASSERT_EQ(dialogs.printDialogs, 1);
    const int pages = PdfPages(pdf);
    ASSERT_GT(pages, 1);

    const std::string first = PdfText(pdf, 1);
    for (const char* text : {"Data Table", "Start Time", "MaxNUM", "MinNUM", "Average", "Sample Rate", "ID",
                             "DateTime", "Unit", "Value", "Page -1-"})
        EXPECT_NE(first.find(text), std::string::npos) << text;
    const RTStatistics& s = run.block.stats;
    EXPECT_TRUE(std::regex_search(first, std::regex(Format("MaxNUM +%.2f +%s", s.dMax, s.strMaxTime.c_str()))));
    EXPECT_TRUE(std::regex_search(first, std::regex(Format("MinNUM +%.2f +%s", s.dMin, s.strMinTime.c_str()))));
    EXPECT_NE(first.find(Format("%.2f", s.dAverage)), std::string::npos);
    EXPECT_TRUE(std::regex_search(first, std::regex("Time: 2026-7-2 +5:9:3")));

    // Every record exactly once, in order, with its number, unit and value;
    // the statistics quote the times of the first record, the maximum and the minimum.
    const std::string all = PdfText(pdf);
    std::size_t previous = 0;
    for (std::size_t i = 0; i < run.store.GetSize(); ++i) {
        const CObjData& r = run.store.GetAt(i);
        const std::size_t quoted =
            (r.m_strTime == s.strStartTime) + (r.m_strTime == s.strMaxTime) + (r.m_strTime == s.strMinTime);
        ASSERT_EQ(Occurrences(all, r.m_strTime), 1 + quoted) << r.m_strTime;
        const std::regex row(Format("\\b%zu +%s +dBA +%.2f\\b", i + 1, r.m_strTime.c_str(), r.m_dValue));
        std::smatch m;
        const std::string rest = all.substr(previous);
        ASSERT_TRUE(std::regex_search(rest, m, row)) << "record " << i + 1;
        previous += static_cast<std::size_t>(m.position(0) + m.length(0));
    }

    // Each page has its heads and its numbered footer; the last one is not empty.
    for (int page = 1; page <= pages; ++page) {
        const std::string text = PdfText(pdf, page);
        EXPECT_NE(text.find("Data Table"), std::string::npos) << page;
        EXPECT_NE(text.find("DateTime"), std::string::npos) << page;
        EXPECT_NE(text.find(Format("Page -%d-", page)), std::string::npos) << page;
        EXPECT_NE(text.find("05-12-2011,"), std::string::npos) << page;
    }
    EXPECT_NE(PdfText(pdf, pages).find(run.store.GetAt(499).m_strTime), std::string::npos);
}

TEST_F(Printing, AFewRecordsMakeOnePageNumberedOne)
{
    const SRun run = MakeRun(3);
    PrintData(job, nullptr, run.store, run.block);
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Page -1-"), std::string::npos);
    EXPECT_EQ(text.find("Page -2-"), std::string::npos);
}

TEST_F(Printing, EmptyListOrCancelPrintsNothing)
{
    const SRun empty = MakeRun(0);
    PrintData(job, nullptr, empty.store, empty.block);
    PrintGraph(job, nullptr, FittedChart(0), empty.store, empty.block);
    EXPECT_EQ(dialogs.printDialogs, 0);

    const SRun run = MakeRun(5);
    dialogs.setupPrinter = nullptr;   // the print dialog is cancelled
    PrintData(job, nullptr, run.store, run.block);
    PrintGraph(job, nullptr, FittedChart(5), run.store, run.block);
    EXPECT_EQ(dialogs.printDialogs, 2);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Printing, GraphPageHasTitleTimeLabelsAndStatistics)
{
    const SRun run = MakeRun(30);
    PrintGraph(job, nullptr, FittedChart(30), run.store, run.block);
    ASSERT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(';').toStdString();
    const std::string text = PdfText(pdf);
    for (const char* label : {"Decivox RealTime Graph", "Start Time:", "Maxnum:", "Minnum:", "Sample Rate:",
                              "Average:", "0.0", "65.0", "130.0", "14:00:00", "1.00"})
        EXPECT_NE(text.find(label), std::string::npos) << label << "\n" << text;
    EXPECT_TRUE(std::regex_search(text, std::regex("Time: 2026-7-2 +5:9:3")));
    // Six time labels: the records under the ticks, the clock part only.
    const std::regex tick("(^| )14:00:\\d\\d( |$)", std::regex::multiline);
    const auto ticks = std::distance(std::sregex_iterator(text.begin(), text.end(), tick), std::sregex_iterator());
    EXPECT_EQ(ticks, 6) << text;
    EXPECT_NE(text.find(run.block.stats.strMaxTime), std::string::npos);
}

TEST_F(Printing, AnUnreadableTickTimeIsReportedAndTheDocumentStillEnds)
{
    CRecordStore store;
    store.Add(std::make_unique<CObjData>(60.0, "not a time", "dBA", 0, 1.0));
    store.Add(std::make_unique<CObjData>(61.0, "not a time", "dBA", 0, 1.0));
    SStatBlock block;
    PrintGraph(job, nullptr, FittedChart(2), store, block);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front(), "Kova: Time Format is wrong!");
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_NE(PdfText(pdf).find("Decivox RealTime Graph"), std::string::npos);
}

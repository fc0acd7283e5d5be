#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include <cmath>
#include <csignal>
#include <limits>
#include <cstdio>
#include <regex>

#include <sys/resource.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QRegularExpression>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTimer>

#include "support/CancelProgress.h"
#include "support/ScriptedDialogs.h"
#include "TempDir.h"
#include "common/Clock.h"
#include "common/Text.h"
#include "files/PrintPlacement.h"
#include "files/PrintText.h"
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
        run.store.Add(CObjData(level, Format("05-12-2011,%.2d:%.2d:%.2d", 14 + s / 3600 % 10, s / 60 % 60, s % 60),
                               "dBA", 0, 1.0));
        stats.Account(run.store.GetAt(i), run.store.GetAt(0), run.store.GetSize());
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

// Zoomed onto about five samples from sample 40.6 and onto 50..80 dB, so the
// series runs out of the plot on all four sides.
SChartState ZoomedChart(std::size_t n)
{
    SChartState c = FittedChart(n);
    c.m_bZoomed = true;
    c.m_dXScale = 5.0 / c.m_nW;
    c.m_dXOffset = 40.6;
    c.m_dYScale = 30.0 / c.m_nH;
    c.m_dYOffset = 50.0;
    return c;
}

// The printer the scripted print dialog sets up, to measure what it prints on.
std::unique_ptr<QPrinter> PdfPrinter(const std::string& pdf)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    CScriptedDialogs::PrintToPdf(QString::fromStdString(pdf))(*printer);
    return printer;
}

// Answers Qt's own print dialog once it shows: notes the printers it offers,
// chooses its PDF entry with the given file and presses Print (or Cancel when
// there is no PDF entry). The names are those of Qt's dialog form.
void AnswerQtPrintDialog(const QString& file, QStringList& offered)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, file, &offered] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        for (int i = 0; printers && i < printers->count(); ++i)
            offered << printers->itemText(i);
        const int pdf = printers ? printers->findText(QStringLiteral("Print to File (PDF)")) : -1;
        if (pdf < 0 || !fileName) {
            dialog->reject();
            return;
        }
        printers->setCurrentIndex(pdf);
        fileName->setText(file);
        dialog->accept();
    });
    timer->start();
}

// Pages of a PDF as pictures at dpi dots per inch.
QImage PdfPicture(const std::string& pdf, const std::string& png, int dpi)
{
    Run(Format("pdftoppm -r %d -png -singlefile '%s' '%s'", dpi, pdf.c_str(), png.c_str()));
    return QImage(QString::fromStdString(png + ".png"));
}

// The series pen's colour, also where the rasteriser blends it with white.
bool SeriesInk(QRgb pixel)
{
    return qBlue(pixel) - std::max(qRed(pixel), qGreen(pixel)) > 40;
}

// Pairs of texts whose line boxes overlap, and texts that reach into avoid.
std::vector<std::string> Collisions(const CPlacedTexts& texts, const STextMeasure& f, const QRect& avoid)
{
    std::vector<std::string> found;
    std::vector<QRect> boxes;
    for (const SPlacedText& t : texts)
        boxes.emplace_back(t.x, t.y, f.width(t.text), f.height);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (boxes[i].intersects(avoid))
            found.push_back("\"" + texts[i].text + "\" reaches into the plot");
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            if (boxes[i].intersects(boxes[j]))
                found.push_back("\"" + texts[i].text + "\" and \"" + texts[j].text + "\"");
        }
    }
    return found;
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
        const char* keep = std::getenv("SONIVEL_KEEP_PDF");
        for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) {
            if (!keep || entry.path().extension() != ".pdf")
                continue;
            const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
            std::filesystem::copy_file(entry.path(),
                                       std::string(keep) + "/" + name + "-" + entry.path().filename().string(),
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

TEST_F(Printing, DataOfMoreThanAHundredPagesAsksWithThePageCountFirst)
{
    const SRun run = MakeRun(9000);
    dialogs.answerYes = false;
    PrintData(job, nullptr, run.store, run.block);
    ASSERT_EQ(dialogs.questions.size(), 1);
    const QRegularExpression asked(QStringLiteral("^Kova: Print Data will print (\\d+) pages\\. Continue\\?$"));
    const QRegularExpressionMatch match = asked.match(dialogs.questions[0]);
    ASSERT_TRUE(match.hasMatch()) << dialogs.questions[0].toStdString();
    EXPECT_FALSE(std::filesystem::exists(pdf));   // No: nothing was started

    dialogs.answerYes = true;
    PrintData(job, nullptr, run.store, run.block);
    EXPECT_EQ(PdfPages(pdf), match.captured(1).toInt());
    EXPECT_GT(PdfPages(pdf), 100);

    // Cancel in the progress dialog between pages: the earlier PDF stays as it was.
    const std::string before = CTempDir::Read(pdf);
    testsupport::CCancelProgress cancel;
    cancel.Start();
    PrintData(job, nullptr, run.store, run.block);
    cancel.Stop();
    EXPECT_TRUE(cancel.Pressed()) << "the progress dialog never came up";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(';').toStdString();
    EXPECT_EQ(CTempDir::Read(pdf), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);

    // Up to a hundred pages print without a question.
    dialogs.questions.clear();
    const SRun shorter = MakeRun(500);
    PrintData(job, nullptr, shorter.store, shorter.block);
    EXPECT_TRUE(dialogs.questions.isEmpty());
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

TEST_F(Printing, TheGraphOfALongRunPrintsABoundedSeriesWithTheUsualTexts)
{
    // 150,000 records over a plot some 8,000 printer pixels wide.
    const SRun run = MakeRun(150000);
    PrintGraph(job, nullptr, FittedChart(run.store.GetSize()), run.store, run.block);
    ASSERT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(';').toStdString();
    EXPECT_LE(std::filesystem::file_size(pdf), 250u * 1024);
    const std::string text = PdfText(pdf);
    for (const char* label : {"Decivox RealTime Graph", "Start Time:", "Maxnum:", "Minnum:", "Sample Rate:",
                              "Average:", "0.0", "65.0", "130.0", "14:00:00"})
        EXPECT_NE(text.find(label), std::string::npos) << label << "\n" << text;
}

TEST_F(Printing, AnUnreadableTickTimeIsReportedAndTheDocumentStillEnds)
{
    CRecordStore store;
    store.Add(CObjData(60.0, "not a time", "dBA", 0, 1.0));
    store.Add(CObjData(61.0, "not a time", "dBA", 0, 1.0));
    SStatBlock block;
    PrintGraph(job, nullptr, FittedChart(2), store, block);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.front(), "Kova: Time Format is wrong!");
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_NE(PdfText(pdf).find("Decivox RealTime Graph"), std::string::npos);
}

TEST_F(Printing, QtsPrintDialogOffersAPdfFileAndPrintsTheZoomedChartIntoIt)
{
    // The real dialog answers the print command; everything else stays scripted.
    SetDialogs(nullptr);
    IDialogs& qt = Dialogs();
    SetDialogs(&dialogs);
    QStringList offered;
    QString file;
    dialogs.setupPrinter = [&](QPrinter& printer) {
        AnswerQtPrintDialog(file, offered);
        return qt.SetupPrinter(nullptr, &printer);
    };

    const SRun run = MakeRun(100);
    file = QString::fromStdString(dir.Path("graph.pdf"));
    PrintGraph(job, nullptr, ZoomedChart(100), run.store, run.block);
    file = QString::fromStdString(dir.Path("data.pdf"));
    PrintData(job, nullptr, run.store, run.block);

    EXPECT_TRUE(offered.contains(QStringLiteral("Print to File (PDF)"))) << offered.join(',').toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(';').toStdString();
    EXPECT_EQ(PdfPages(dir.Path("graph.pdf")), 1);
    EXPECT_NE(PdfText(dir.Path("graph.pdf")).find("Decivox RealTime Graph"), std::string::npos);
    EXPECT_EQ(PdfPages(dir.Path("data.pdf")), 2);
    EXPECT_NE(PdfText(dir.Path("data.pdf")).find(run.store.GetAt(99).m_strTime), std::string::npos);
}

TEST_F(Printing, TheSeriesOfAZoomedGraphLeavesNoInkOutsideThePlot)
{
    // Ordinary levels, and levels far beyond any scale (markers on: five samples
    // across the plot).
    const SRun ordinary = MakeRun(100);
    SRun extreme = MakeRun(40);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double level : {1e10, -1e10, inf, 60.0, std::nan(""), -inf, 70.0, 65.0, 1e300, 62.0})
        extreme.store.Add(CObjData(level, "05-12-2011,15:00:00", "dBA", 0, 1.0));
    const std::unique_ptr<QPrinter> printer = PdfPrinter(pdf);
    const QRectF paper = printer->pageRect(QPrinter::Point);   // where device pixel 0 lies on the paper
    const double pointsPerPixel = 72.0 / printer->resolution();
    constexpr int kDpi = 100;

    for (const SRun* run : {&ordinary, static_cast<const SRun*>(&extreme)}) {
        const SChartState chart = ZoomedChart(run->store.GetSize());
        std::filesystem::remove(pdf);
        PrintGraph(job, nullptr, chart, run->store, run->block);
        const QImage page = PdfPicture(pdf, dir.Path("graph"), kDpi);
        ASSERT_FALSE(page.isNull());
        PrintData(job, nullptr, run->store, run->block);   // no fault with any level either
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(';').toStdString();

        // The plot on the picture, widened by two dots for the rasteriser's blending.
        const SGraphPage g = GraphPageGeometry(chart, printer->width(), printer->height());
        const auto dots = [&](double origin, int pixel) { return (origin + pixel * pointsPerPixel) * kDpi / 72.0; };
        const QRectF plot(QPointF(dots(paper.x(), g.left) - 2, dots(paper.y(), g.top) - 2),
                          QPointF(dots(paper.x(), PrintedPlotRight(g, chart)) + 2,
                                  dots(paper.y(), PrintedPlotBottom(g, chart)) + 2));
        int inside = 0;
        std::vector<QPoint> outside;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (!SeriesInk(page.pixel(x, y)))
                    continue;
                if (plot.contains(x, y))
                    ++inside;
                else
                    outside.emplace_back(x, y);
            }
        }
        EXPECT_GT(inside, 100);
        EXPECT_TRUE(outside.empty()) << outside.size() << " dots outside the plot, the first at ("
                                     << outside.front().x() << ", " << outside.front().y() << ")";
    }
}

TEST_F(Printing, NoTwoPrintedTextsOverlapAndLevelLabelsKeepOffTheAxis)
{
    const std::time_t longestClock = testsupport::LocalMoment(2026, 12, 28, 23, 59, 59);
    const std::string printTime = PrintTimeText(longestClock);
    const QStringList dejaVu{QStringLiteral("DejaVu Sans")};
    for (const QStringList& faces : {PrintFontFaces(), dejaVu}) {
        for (const auto& [size, orientation] : {std::pair(QPageSize::A4, QPageLayout::Portrait),
                                                std::pair(QPageSize::Letter, QPageLayout::Portrait),
                                                std::pair(QPageSize::A4, QPageLayout::Landscape)}) {
            const std::unique_ptr<QPrinter> printer = PdfPrinter(pdf);
            printer->setPageSize(QPageSize(size));
            printer->setPageOrientation(orientation);
            const SPageUnits u = PageUnits(printer->width(), printer->height());
            const QFont font = PrintFont(printer.get(), u.J, faces);
            // Regular weight even where the face comes in light weights.
            EXPECT_EQ(QFontInfo(font).weight(), QFont::Normal) << QFontInfo(font).family().toStdString();
            const STextMeasure f = PrintMeasure(font, printer.get());
            ASSERT_LE(f.height, u.J);

            for (const double level : {0.0, 99.9, 100.0, 199.9}) {
                for (const char* time : {"5-1-2011,4:00:03", "28-12-2011,23:59:59"}) {
                    const std::string where = QFontInfo(font).family().toStdString() + Format(
                        " page %d/%d level %.1f time %s", static_cast<int>(size), orientation, level, time);
                    // A full first page of the table; the statistics quote the level and time.
                    CRecordStore store;
                    const int R = RowsPerPage(u, f.lineSpacing);
                    for (int i = 0; i + 6 < R + 1; ++i)
                        store.Add(CObjData(level, time, "dBA", 0, 10.0));
                    SStatBlock block;
                    block.stats = {level, level, level, time, "dBA", "dBA", time, time};
                    block.dSampleRate = 10.0;

                    const SDataColumns cols = DataColumns(u, store, f);
                    CPlacedTexts table = DataFirstPageHeader(u, cols, block, f);
                    for (std::size_t i = 0; i < store.GetSize(); ++i) {
                        const SRowPlace place = PlaceRecord(i, store.GetSize(), R, u, f.lineSpacing);
                        if (place.page == 0)
                            for (SPlacedText& t : DataRowTexts(cols, place.y, i, store.GetAt(i)))
                                table.push_back(std::move(t));
                    }
                    for (SPlacedText& t : DataFooterTexts(u, 1, printTime, f))
                        table.push_back(std::move(t));
                    EXPECT_EQ(Collisions(table, f, QRect()), std::vector<std::string>{}) << "table, " << where;

                    // The graph page, its level scale reaching up to the level.
                    SChartState chart = FittedChart(store.GetSize());
                    chart.m_dYScale = std::max(level, 1.0) / chart.m_nH;
                    const SGraphPage g = GraphPageGeometry(chart, u.hres, u.vres);
                    const STimeAxis axis = TimeAxisLabels(chart, store);
                    ASSERT_EQ(axis.count, 6) << where;
                    const SRect plot = PrintedPlotRect(g, chart);
                    EXPECT_EQ(Collisions(GraphPageTexts(g, chart, axis, printTime, block, f), f,
                                         QRect(plot.x, plot.y, plot.width, plot.height)),
                              std::vector<std::string>{})
                        << "graph, " << where;
                }
            }
        }
    }
}

TEST_F(Printing, APdfThatCannotBeWrittenIsReportedWithItsName)
{
    const SRun run = MakeRun(30);
    CTempDir::Write(dir.Path("plain"), "a file, not a folder");
    const struct {
        std::string file;
        rlim_t sizeLimit;   // RLIM_INFINITY: none
        const char* reason;
    } cases[] = {
        {dir.Path("missing/out.pdf"), RLIM_INFINITY, "No such file or directory"},
        {dir.Path("plain/out.pdf"), RLIM_INFINITY, "Not a directory"},
        {"/dev/full", RLIM_INFINITY, "did not reach the file whole"},
        // The disk fills up after 2 KiB.
        {dir.Path("full.pdf"), 2048, "did not reach the file whole"},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        dialogs.setupPrinter = CScriptedDialogs::PrintToPdf(QString::fromStdString(c.file));
        rlimit previous{};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = c.sizeLimit;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        PrintGraph(job, nullptr, FittedChart(30), run.store, run.block);
        PrintData(job, nullptr, run.store, run.block);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousSignal);

        EXPECT_EQ(dialogs.messages.size(), 2) << c.file << ": " << dialogs.messages.join(';').toStdString();
        for (const QString& message : dialogs.messages) {
            EXPECT_TRUE(message.startsWith("ERROR: Cannot write \"" + QString::fromStdString(c.file) + "\""))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QLatin1String(c.reason))) << message.toStdString();
        }
    }
}

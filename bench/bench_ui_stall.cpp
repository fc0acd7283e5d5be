// The longest pause of the user-interface thread while the main window runs a
// long file command on a day at 0.1 s (864,000 records). Each command runs
// through the real main view, its dialogs answered by code, while a watchdog
// timer that fires every kWatchMs notes the longest time between two of its
// turns (the command's start and end count as turns): counter stall_ms. A
// command that keeps the event loop turning stays near kWatchMs; one that
// holds the thread shows how long it held it. On a loaded machine a pause
// also holds the time the thread waited for a processor: counter
// stall_cpu_ms is the most processor time the thread spent between two turns.
//   Open        File > Open of the data text file of the records, until the
//               data-logger window shows them
//   ShowGroup   the double-click on the opened file's group in that window
//               (the group's statistics and chart)
//   Save        File > Save of the monitoring store
//   Export      File > Export To Excel
//   ExportCsv   File > Export CSV
//   ReportPdf   File > Report PDF
//   PrintGraph  Print Graph into a PDF file
//   PrintData   Print Data into a PDF file, cancelled in its progress dialog
//               as soon as that comes up (the printout's first pages)
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "BenchQt.h"
#include "common/Text.h"
#include "files/DataFile.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "view/MyKovaView.h"

namespace {

constexpr std::size_t kRecords = 864000;
constexpr int kWatchMs = 2;

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

// Notes the longest time the event loop of this thread went without turning.
class CStallWatch {
public:
    CStallWatch()
    {
        m_tick.setInterval(kWatchMs);
        m_tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { Turn(); });
    }
    void Start()
    {
        m_longestNs = m_longestCpuNs = 0;
        m_clock.start();
        m_last = 0;
        m_lastCpu = CpuNs();
        m_tick.start();
    }
    // Ends the watch, the command's end counted as a turn.
    void Stop()
    {
        Turn();
        m_tick.stop();
    }
    double LongestMs() const { return static_cast<double>(m_longestNs) / 1e6; }
    double LongestCpuMs() const { return static_cast<double>(m_longestCpuNs) / 1e6; }

private:
    static std::int64_t CpuNs()
    {
        timespec t {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    void Turn()
    {
        const qint64 now = m_clock.nsecsElapsed();
        const std::int64_t cpu = CpuNs();
        m_longestNs = std::max(m_longestNs, now - m_last);
        m_longestCpuNs = std::max(m_longestCpuNs, cpu - m_lastCpu);
        m_last = now;
        m_lastCpu = cpu;
    }

    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestNs = 0;
    std::int64_t m_lastCpu = 0;
    std::int64_t m_longestCpuNs = 0;
};

// Answers every file dialog with a file in the temporary folder named for its
// suffix, the print dialog with a PDF file, every question with Yes / OK.
class CBenchDialogs final : public IDialogs {
public:
    std::string openPath;
    void Message(QWidget*, const QString& text, const QString&, Icon) override
    {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
    }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return true; }
    QString SaveFileName(QWidget*, const QString&, const QString& suffix, const QString&) override
    {
        return QString::fromStdString(TempPath("sonivel-bench-stall.")) + suffix;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString::fromStdString(openPath);
    }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(TempPath("sonivel-bench-stall-print.pdf")));
        return true;
    }
    int Exec(QDialog&) override { return 0; }
};

// Record i: a slow swing with noise, one each 0.1 s from 1 March 2021.
CObjData StallRecord(std::size_t i)
{
    const std::size_t s = i / 10;
    const std::string time = sonivel::Format("%.2d-03-2021,%.2d:%.2d:%.2d", static_cast<int>(1 + s / 86400),
                                             static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                                             static_cast<int>(s % 60));
    const double level = 62.0 + 20.0 * std::sin(static_cast<double>(i) * 0.0007) + static_cast<double>(i % 97) / 10.0;
    return CObjData(level, time, "dBA", 0, 0.1);
}

// The main view at 1600 x 800 with kRecords in its monitoring store, and the
// data text file of those records; made once.
struct SStallView {
    CBenchDialogs dialogs;
    CMyKovaView view{nullptr, SViewOptions{QString(), false}};
    CStallWatch watch;

    SStallView()
    {
        SetDialogs(&dialogs);
        SizeChartTo(&view, view.Graph(), QSize(1600, 800));
        for (std::size_t i = 0; i < kRecords; ++i)
            view.RTStore().Add(StallRecord(i));
        view.Graph()->ResetView();
        dialogs.openPath = TempPath("sonivel-bench-stall-input.txt");
        sonivel::WriteDataFile(dialogs.openPath, view.RTStore());
        QApplication::processEvents();
    }
    ~SStallView()
    {
        SetDialogs(nullptr);
        for (const char* suffix : {"input.txt", "txt", "xls", "csv", "pdf", "print.pdf"})
            std::remove(TempPath((std::string("sonivel-bench-stall.") + suffix).c_str()).c_str());
        std::remove(dialogs.openPath.c_str());
    }
};

SStallView& StallView()
{
    BenchApp();
    static auto* held = new SStallView;   // kept to the end, as the application is
    return *held;
}

// Runs command with the watchdog on and reports its longest pause.
template <typename F>
void Measure(benchmark::State& state, F command)
{
    SStallView& v = StallView();
    double longest = 0, longestCpu = 0;
    for (auto _ : state) {
        v.watch.Start();
        command(v);
        v.watch.Stop();
        longest = std::max(longest, v.watch.LongestMs());
        longestCpu = std::max(longestCpu, v.watch.LongestCpuMs());
        QApplication::processEvents();
    }
    state.counters["stall_ms"] = longest;
    state.counters["stall_cpu_ms"] = longestCpu;
}

void ViewCommand(benchmark::State& state, int id)
{
    Measure(state, [id](SStallView& v) { v.view.OnCommand(id); });
}

void BM_Open(benchmark::State& state)
{
    ViewCommand(state, 32790);
}

void BM_ShowGroup(benchmark::State& state)
{
    SStallView& v = StallView();
    v.view.OnCommand(32790);
    QApplication::processEvents();
    Measure(state, [](SStallView& s) {
        if (auto* window = s.view.findChild<CDataLogDlg*>()) {
            window->OnGroupDoubleClicked(0);
            QApplication::processEvents();   // its repaint
        }
    });
}

void BM_Save(benchmark::State& state)
{
    ViewCommand(state, 32786);
}
void BM_Export(benchmark::State& state)
{
    ViewCommand(state, 32785);
}
void BM_ExportCsv(benchmark::State& state)
{
    ViewCommand(state, 32830);
}
void BM_ReportPdf(benchmark::State& state)
{
    ViewCommand(state, 32831);
}
void BM_PrintGraph(benchmark::State& state)
{
    ViewCommand(state, 32802);
}

// Presses Cancel in the progress dialog once it is on screen, as a person
// would: the pages printed until then are the printout's first ones.
void BM_PrintData(benchmark::State& state)
{
    QTimer cancel;
    cancel.setInterval(5);
    QObject::connect(&cancel, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible())
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    cancel.start();
    ViewCommand(state, 32796);
}

const bool kRegistered = [] {
    struct SCase {
        const char* name;
        void (*run)(benchmark::State&);
    };
    const SCase cases[] = {
        {"Open", BM_Open},           {"ShowGroup", BM_ShowGroup}, {"Save", BM_Save},
        {"Export", BM_Export},       {"ExportCsv", BM_ExportCsv}, {"ReportPdf", BM_ReportPdf},
        {"PrintGraph", BM_PrintGraph}, {"PrintData", BM_PrintData},
    };
    for (const SCase& c : cases)
        benchmark::RegisterBenchmark((std::string("Stall/") + c.name).c_str(), c.run)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3);
    return true;
}();

} // namespace

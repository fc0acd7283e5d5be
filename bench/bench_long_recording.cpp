// Long recordings in the main window: a run of 40,000 records, a day at 0.1 s
// (864,000) and three days at 0.1 s (2,592,000). For each size, in this order:
//   Open         reading the data text file into a record store, as File >
//                Open does (counter peak_extra_mb: the most memory in use
//                during the read beyond what the store holds afterwards)
//   Save         the data text file of the store
//   Export       the spreadsheet text of the store
//   StatsAB      the statistics between cursors A and B over the whole span
//   Memory       filling a store record by record (counter bytes_per_record,
//                the memory the store holds per record)
//   RedrawFit    a fit-mode chart redraw, shown on screen
//   RedrawZoomed a redraw zoomed into the last 1,000 records
//   CursorMove   a mouse move over the chart while cursor B is being placed
//   PrintGraph   Print Graph into a PDF file (counter pdf_bytes)
//   TickGraph    one monitoring tick with the graph shown
//   TickList     one monitoring tick with the data list shown
// The chart benchmarks run in the real main view with a 1600 x 800 chart.
// Memory is measured with mallinfo2 (bytes in use on the heap, mmapped blocks
// included). Records are made only by MakeRecord and stores filled only by
// Fill, so a change of the record type touches those two alone.
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <QComboBox>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include "BenchQt.h"
#include "common/Text.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/Printing.h"
#include "graph/CursorStats.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MonitorRun.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"
#include "view/MyKovaView.h"

namespace {

constexpr double kInterval = 0.1;
constexpr int kRunCommand = 32771;
constexpr int kShowGraphCommand = 1059;
constexpr int kShowListCommand = 1060;
constexpr int kSlowestRateIndex = 9;   // 10 s: the run's own timer never fires during a benchmark

std::filesystem::path TempFile(const char* name)
{
    return std::filesystem::temp_directory_path() / name;
}

// Record i of a run at 0.1 s from 1 March 2021: a slow swing with noise, with
// two decimals as a data file holds it.
CObjData MakeRecord(std::size_t i)
{
    const double swing = 6000.0 + std::round(2500.0 * std::sin(static_cast<double>(i) * 0.003));
    const double level = (swing + static_cast<double>((i * 2654435761u) % 1500)) / 100.0;
    const std::size_t s = i / 10;
    const std::string time = sonivel::Format("%.2d-03-2021,%.2d:%.2d:%.2d", static_cast<int>(1 + s / 86400),
                                             static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                                             static_cast<int>(s % 60));
    return CObjData(level, time, "dBA", 0, kInterval);
}

// Empties store and appends n records, accounting them in stats.
void Fill(CRecordStore& store, std::size_t n, CRunningStats& stats)
{
    store.RemoveAll();
    stats.Reset();
    for (std::size_t i = 0; i < n; ++i) {
        const CObjData r = MakeRecord(i);
        store.Add(r);
        stats.Account(r, store.GetAt(0), store.GetSize());
    }
}

std::size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

constexpr double kMb = 1024.0 * 1024.0;

// The main view with n records in its monitoring store and its chart at
// 1600 x 800, optionally in a monitoring run (at 10 s, with live frames).
struct SLongView {
    CPdfPrinter dialogs{QString::fromStdString(TempFile("sonivel-bench-long.pdf").string())};
    CMyKovaView view{nullptr, SViewOptions{QString(), false}};
    CRunningStats stats;
    std::size_t records;
    bool running;

    SLongView(std::size_t n, bool run) : records(n), running(run)
    {
        SetDialogs(&dialogs);
        SizeChartTo(&view, view.Graph(), QSize(1600, 800));
        if (run) {
            const std::uint8_t byte = 0;
            view.OnReceiveData(&byte, 1);   // the link is alive
            FindById<QComboBox>(&view, 1007)->setCurrentIndex(kSlowestRateIndex);
            view.OnCommand(kRunCommand);
        }
        Fill(view.RTStore(), n, stats);
        if (run)
            view.OnRunTimer(TIMER_SAMPLE);   // the data list and the chart take the filled store
        view.Graph()->ResetView();
        QApplication::processEvents();
    }
    ~SLongView() { SetDialogs(nullptr); }

    CGraphicsBtn& Chart() { return *view.Graph(); }
    const CRecordStore& Store() { return view.RTStore(); }
    SStatBlock Block() const { return SStatBlock{stats.Stats(), stats.Sum(), kInterval}; }
};

// The view of n records, made again only when the size or the run changes.
SLongView& LongView(std::size_t n, bool running)
{
    BenchApp();
    static std::unique_ptr<SLongView> held;
    if (!held || held->records != n || held->running != running) {
        held.reset();
        held = std::make_unique<SLongView>(n, running);
    }
    return *held;
}

std::size_t Size(const benchmark::State& state)
{
    return static_cast<std::size_t>(state.range(0));
}

// ---- files and statistics ----------------------------------------------------

// The data text file of n records, written once per size and removed at exit.
const std::string& DataFileOf(std::size_t n)
{
    struct SFile {
        std::string path = TempFile("sonivel-bench-long.txt").string();
        std::size_t records = 0;
        ~SFile() { std::remove(path.c_str()); }
    };
    static SFile file;
    if (file.records != n) {
        const sonivel::SFileResult r = sonivel::WriteDataFile(file.path, LongView(n, false).Store());
        file.records = r.ok ? n : 0;
    }
    return file.path;
}

// Watches the heap at every block the reader reports.
class CHeapPeak final : public sonivel::IJobProgress {
public:
    void SetTotal(std::size_t) override { Sample(); }
    void SetDone(std::size_t) override { Sample(); }
    bool Cancelled() const override { return false; }
    void Sample() { m_peak = std::max(m_peak, HeapInUse()); }
    std::size_t Peak() const { return m_peak; }

private:
    std::size_t m_peak = 0;
};

void BM_Open(benchmark::State& state)
{
    const std::size_t n = Size(state);
    const std::string& path = DataFileOf(n);
    double peakExtra = 0;
    for (auto _ : state) {
        auto store = std::make_unique<CRecordStore>();
        const std::size_t before = HeapInUse();
        CHeapPeak peak;
        sonivel::SDataFileRead read = sonivel::ReadDataFile(path, peak);
        peak.Sample();
        store->Replace(std::move(read.records));
        peak.Sample();
        state.PauseTiming();
        const std::size_t held = HeapInUse() - before;
        peakExtra = static_cast<double>(peak.Peak() - before - held) / kMb;
        if (read.status != sonivel::SDataFileRead::EStatus::Ok || store->GetSize() != n)
            state.SkipWithError("the file was not read whole");
        store.reset();
        state.ResumeTiming();
    }
    state.counters["peak_extra_mb"] = peakExtra;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(path)) / kMb;
}

void BM_Save(benchmark::State& state)
{
    const CRecordStore& store = LongView(Size(state), false).Store();
    const std::string path = TempFile("sonivel-bench-long-save.txt").string();
    for (auto _ : state) {
        const sonivel::SFileResult r = sonivel::WriteDataFile(path, store);
        if (!r.ok)
            state.SkipWithError(r.message.c_str());
    }
    std::remove(path.c_str());
}

void BM_Export(benchmark::State& state)
{
    SLongView& v = LongView(Size(state), false);
    const std::string path = TempFile("sonivel-bench-long-export.xls").string();
    for (auto _ : state) {
        const sonivel::SFileResult r =
            sonivel::WriteExport(path, v.Store(), v.Block(), sonivel::EExportSource::MainView);
        if (!r.ok)
            state.SkipWithError(r.message.c_str());
    }
    std::remove(path.c_str());
}

void BM_StatsAB(benchmark::State& state)
{
    const CRecordStore& store = LongView(Size(state), false).Store();
    const int last = static_cast<int>(store.GetSize()) - 1;
    for (auto _ : state) {
        const sonivel::SCursorStats s = sonivel::StatsBetween(store, 0, last);
        benchmark::DoNotOptimize(s.average);
    }
}

void BM_Memory(benchmark::State& state)
{
    const std::size_t n = Size(state);
    double perRecord = 0;
    for (auto _ : state) {
        auto store = std::make_unique<CRecordStore>();
        CRunningStats stats;
        const std::size_t before = HeapInUse();
        Fill(*store, n, stats);
        state.PauseTiming();
        perRecord = static_cast<double>(HeapInUse() - before) / static_cast<double>(n);
        store.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_record"] = perRecord;
}

// ---- the chart -----------------------------------------------------------------

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void BM_RedrawFit(benchmark::State& state)
{
    SLongView& v = LongView(Size(state), false);
    v.Chart().ResetView();
    for (auto _ : state) {
        v.Chart().Redraw(&v.Store(), 1);
        QApplication::processEvents();   // the repaint on screen
    }
    state.counters["chart_w"] = v.Chart().width();
}

void BM_RedrawZoomed(benchmark::State& state)
{
    SLongView& v = LongView(Size(state), false);
    CGraphicsBtn& chart = v.Chart();
    chart.ResetView();
    // The plot spans the last 1,000 records, as a zoom box drawn there makes it.
    chart.m_bZoomed = true;
    chart.m_dXScale = 1000.0 / chart.m_nW;
    chart.m_dXOffset = chart.m_dXMin + static_cast<double>(v.Store().GetSize() - 1000);
    for (auto _ : state) {
        chart.Redraw(&v.Store(), 1);
        QApplication::processEvents();
    }
    chart.ResetView();
}

void BM_CursorMove(benchmark::State& state)
{
    SLongView& v = LongView(Size(state), false);
    CGraphicsBtn& chart = v.Chart();
    chart.ResetView();
    QApplication::processEvents();
    // Double-click arms the cursors; a click places A; B follows the pointer.
    const QPoint a(300, 400);
    SendMouse(&chart, QEvent::MouseButtonDblClick, a, Qt::LeftButton);
    SendMouse(&chart, QEvent::MouseButtonPress, a, Qt::LeftButton);
    SendMouse(&chart, QEvent::MouseButtonRelease, a, Qt::LeftButton);
    QApplication::processEvents();
    if (chart.m_nCursorState != sonivel::kCursorWaitB)
        state.SkipWithError("cursor A was not placed");
    int x = 800;
    for (auto _ : state) {
        x = x == 800 ? 1200 : 800;
        SendMouse(&chart, QEvent::MouseMove, QPoint(x, 400), Qt::NoButton);
        QApplication::processEvents();
    }
    SendMouse(&chart, QEvent::MouseButtonRelease, a, Qt::RightButton);   // cursors cleared
    QApplication::processEvents();
}

void BM_PrintGraph(benchmark::State& state)
{
    SLongView& v = LongView(Size(state), false);
    v.Chart().ResetView();
    const std::filesystem::path pdf = TempFile("sonivel-bench-long.pdf");
    CPrintRX job;
    for (auto _ : state)
        sonivel::PrintGraph(job, &v.view, v.Chart(), v.Store(), v.Block());
    state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    std::filesystem::remove(pdf);
}

// ---- monitoring ticks -----------------------------------------------------------

void Tick(benchmark::State& state, bool listShown)
{
    SLongView& v = LongView(Size(state), true);
    v.view.OnCommand(listShown ? kShowListCommand : kShowGraphCommand);
    QApplication::processEvents();
    for (auto _ : state) {
        const std::size_t before = v.Store().GetSize();
        v.view.OnRunTimer(TIMER_SAMPLE);
        QApplication::processEvents();   // the repaint of what the tick changed
        if (!v.view.IsRunActive() || v.Store().GetSize() != before + 1)
            state.SkipWithError("the tick did not record");
    }
}

void BM_TickGraph(benchmark::State& state)
{
    Tick(state, false);
}
void BM_TickList(benchmark::State& state)
{
    Tick(state, true);
}

// Registered size by size, so each size's stores are made once.
const bool kRegistered = [] {
    struct SCase {
        const char* name;
        void (*run)(benchmark::State&);
    };
    const SCase cases[] = {
        {"Open", BM_Open},           {"Save", BM_Save},
        {"Export", BM_Export},       {"StatsAB", BM_StatsAB},
        {"Memory", BM_Memory},       {"RedrawFit", BM_RedrawFit},
        {"RedrawZoomed", BM_RedrawZoomed}, {"CursorMove", BM_CursorMove},
        {"PrintGraph", BM_PrintGraph}, {"TickGraph", BM_TickGraph},
        {"TickList", BM_TickList},
    };
    for (const std::int64_t n : {40000, 864000, 2592000})
        for (const SCase& c : cases)
            benchmark::RegisterBenchmark(c.name, c.run)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
    return true;
}();

} // namespace

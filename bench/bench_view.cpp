// One sampling tick of a monitoring run in the real main view with 40,000
// records in the monitoring store: the record appended, the data-list row,
// the statistics boxes and the graph composed on a 1600 x 800 control. The
// process's resident memory after filling the store is reported as rss_mb.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "BenchQt.h"
#include "dialogs/Dialogs.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MonitorRun.h"
#include "view/MyKovaView.h"

namespace {

constexpr std::size_t kStored = 40000 - 1;   // the tick appends the 40,000th

double ResidentMb()
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::atof(line + 6);
    std::fclose(f);
    return kb / 1024.0;
}

CRecordStore Series()
{
    CRecordStore records;
    for (std::size_t i = 0; i < kStored; ++i) {
        const double v = 60.0 + 25.0 * std::sin(static_cast<double>(i) * 0.003) +
                         static_cast<double>((i * 2654435761u) % 1500) / 100.0;
        records.Add(CObjData(v, "01-03-2021,10:00:00", "dBA", 0, 0.1));
    }
    return records;
}

// The view at a size that gives its graph 1600 x 800, with a run active at
// 10 s (so the window timer never fires by itself) and live frames arrived.
struct SRunningView {
    CMyKovaView view{nullptr, SViewOptions{QString(), false}};

    explicit SRunningView(bool listShown)
    {
        SizeChartTo(&view, view.Graph(), QSize(1600, 800));
        const std::uint8_t byte = 0;
        view.OnReceiveData(&byte, 1);   // the link is alive
        FindById<QComboBox>(&view, 1007)->setCurrentIndex(9);
        view.OnCommand(32771);
        if (listShown)
            view.OnCommand(1060);
        Refill();
    }
    // Back to kStored records (outside the timed part).
    void Refill()
    {
        view.RTStore().Replace(Series());
        view.OnRunTimer(TIMER_SAMPLE);   // the data list and the graph take the refilled store
        view.RTStore().Replace(Series());
    }
};

void Tick(benchmark::State& state, bool listShown)
{
    BenchApp();
    SRunningView run(listShown);
    state.counters["graph_w"] = run.view.Graph()->width();
    state.counters["graph_h"] = run.view.Graph()->height();
    state.counters["rss_mb"] = ResidentMb();
    for (auto _ : state) {
        run.view.OnRunTimer(TIMER_SAMPLE);
        QApplication::processEvents();   // the repaint of the composed graph
        state.PauseTiming();
        if (!run.view.IsRunActive() || run.view.RTStore().GetSize() != kStored + 1)
            state.SkipWithError("the tick did not record");
        run.Refill();
        state.ResumeTiming();
    }
}

void BM_TickGraphShown(benchmark::State& state)
{
    Tick(state, false);
}
void BM_TickListShown(benchmark::State& state)
{
    Tick(state, true);
}

} // namespace

BENCHMARK(BM_TickGraphShown)->Unit(benchmark::kMillisecond)->Iterations(60)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_TickListShown)->Unit(benchmark::kMillisecond)->Iterations(60)->Repetitions(5)->ReportAggregatesOnly();

// Print Data of a full monitoring run (40000 records) and Print Graph of a day
// at 0.1 s (864,000 records) into a PDF file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "BenchQt.h"
#include "common/Text.h"
#include "files/Printing.h"

namespace {

// n records at the given interval, with their statistics.
struct SRun {
    CRecordStore store;
    SStatBlock block;
};
std::unique_ptr<SRun> MakeRun(int n, double rate)
{
    auto run = std::make_unique<SRun>();
    CRunningStats stats;
    for (int i = 0; i < n; ++i) {
        const CObjData r(40.0 + (i % 800) / 10.0,
                         sonivel::Format("05-12-2011,%.2d:%.2d:%.2d", i / 3600 % 24, i / 60 % 60, i % 60), "dBA", 0, rate);
        run->store.Add(r);
        stats.Account(r, run->store.GetAt(0), run->store.GetSize());
    }
    run->block = SStatBlock{stats.Stats(), stats.Sum(), rate};
    return run;
}

// Runs print into a PDF file as often as the benchmark asks; notes its size.
template <typename Print>
void PrintToPdf(benchmark::State& state, Print print)
{
    const std::string pdf = (std::filesystem::temp_directory_path() / "sonivel-bench-print.pdf").string();
    CPdfPrinter printer(QString::fromStdString(pdf));
    SetDialogs(&printer);
    CPrintRX job;
    for (auto _ : state)
        print(job);
    state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    SetDialogs(nullptr);
    std::filesystem::remove(pdf);
}

void BM_PrintData40000(benchmark::State& state)
{
    BenchApp();
    const auto run = MakeRun(40000, 0.5);
    PrintToPdf(state, [&](CPrintRX& job) { sonivel::PrintData(job, nullptr, run->store, run->block); });
}
BENCHMARK(BM_PrintData40000)->Unit(benchmark::kSecond)->Iterations(1);

// The fitted chart of the main window's graph (790 x 330) over the whole day.
void BM_PrintGraph864000(benchmark::State& state)
{
    BenchApp();
    const auto run = MakeRun(864000, 0.1);
    sonivel::SChartState chart;
    sonivel::SetInitialView(chart, 790, 330);
    sonivel::FitOrFollow(chart, run->store.GetSize(), {});
    PrintToPdf(state, [&](CPrintRX& job) { sonivel::PrintGraph(job, nullptr, chart, run->store, run->block); });
}
BENCHMARK(BM_PrintGraph864000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

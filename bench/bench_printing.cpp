// Print Data of a full monitoring run (40000 records) into a PDF file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "BenchQt.h"
#include "common/Text.h"
#include "files/Printing.h"

namespace {

void BM_PrintData40000(benchmark::State& state)
{
    BenchApp();

    CRecordStore store;
    CRunningStats stats;
    for (int i = 0; i < 40000; ++i) {
        const CObjData& r = store.Add(std::make_unique<CObjData>(
            40.0 + (i % 800) / 10.0, sonivel::Format("05-12-2011,%.2d:%.2d:%.2d", i / 3600 % 24, i / 60 % 60, i % 60),
            "dBA", 0, 0.5));
        stats.Account(r, store.GetAt(0), store.GetSize());
    }
    SStatBlock block{stats.Stats(), stats.Sum(), 0.5};

    const std::string pdf = (std::filesystem::temp_directory_path() / "sonivel-bench-print.pdf").string();
    CPdfPrinter printer(QString::fromStdString(pdf));
    SetDialogs(&printer);
    CPrintRX job;
    for (auto _ : state)
        sonivel::PrintData(job, nullptr, store, block);
    state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
    SetDialogs(nullptr);
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_PrintData40000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

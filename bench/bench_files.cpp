// Saving and reading a full monitoring run (40000 records), and filling the
// monitoring store with its running statistics.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/Text.h"
#include "files/DataFile.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace {

constexpr int kRecords = 40000;

CObjData Sample(int i)
{
    const std::string time = sonivel::Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", 5, 12, 2011, i / 3600 % 24, i / 60 % 60, i % 60);
    return CObjData(40.0 + (i % 800) / 10.0, time, i % 2 ? "dBA" : "dBC", 0, 0.5);
}

const CRecordStore& FullRun()
{
    static const CRecordStore store = [] {
        CRecordStore s;
        for (int i = 0; i < kRecords; ++i)
            s.Add(Sample(i));
        return s;
    }();
    return store;
}

std::string BenchFile()
{
    return (std::filesystem::temp_directory_path() / "sonivel-bench-files.txt").string();
}

void BM_SaveDataFile40000(benchmark::State& state)
{
    const std::string path = BenchFile();
    for (auto _ : state) {
        const sonivel::SFileResult r = sonivel::WriteDataFile(path, FullRun());
        if (!r.ok)
            state.SkipWithError(r.message.c_str());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveDataFile40000)->Unit(benchmark::kMillisecond);

void BM_ReadDataFile40000(benchmark::State& state)
{
    const std::string path = BenchFile();
    sonivel::WriteDataFile(path, FullRun());
    for (auto _ : state) {
        sonivel::SDataFileRead read = sonivel::ReadDataFile(path);
        if (read.records.GetSize() != kRecords)
            state.SkipWithError("records lost");
        CRecordStore logger;
        logger.Replace(std::move(read.records));
        benchmark::DoNotOptimize(logger.GetSize());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadDataFile40000)->Unit(benchmark::kMillisecond);

// The sampling ticks' part of a full run: append and account, one record at a time.
void BM_AppendAndAccount40000(benchmark::State& state)
{
    std::vector<CObjData> samples;
    for (auto _ : state) {
        state.PauseTiming();
        samples.clear();
        for (int i = 0; i < kRecords; ++i)
            samples.push_back(Sample(i));
        CRecordStore store;
        CRunningStats stats;
        stats.Reset();
        state.ResumeTiming();
        for (const CObjData& r : samples) {
            store.Add(r);
            stats.Account(r, store.GetAt(0), store.GetSize());
        }
        benchmark::DoNotOptimize(stats.Sum());
        state.PauseTiming();
        store.RemoveAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendAndAccount40000)->Unit(benchmark::kMillisecond);

} // namespace

// The record store at a day of logging at 0.1 s (864,000 records): the heap
// it holds per record, and Open of such a file (read, then put in place of
// the logger store).
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/Text.h"
#include "files/DataFile.h"
#include "records/RecordList.h"

namespace {

constexpr std::size_t kDay = 864000;

// Record i of a run every 0.1 s from 05-12-2011,00:00:00 (ten a second).
CObjData DayRecord(std::size_t i)
{
    const std::size_t s = i / 10;
    return CObjData(40.0 + static_cast<double>(i % 800) / 10.0,
                    sonivel::Format("%.2d-12-2011,%.2d:%.2d:%.2d", static_cast<int>(5 + s / 86400),
                                    static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
                                    static_cast<int>(s % 60)),
                    i % 2 ? "dBA" : "dBC", 0, 0.1);
}

void Fill(CRecordStore& store)
{
    for (std::size_t i = 0; i < kDay; ++i)
        store.Add(DayRecord(i));
}

void BM_HeapPerRecord864000(benchmark::State& state)
{
    double perRecord = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        CRecordStore store;
        Fill(store);
        const std::size_t after = mallinfo2().uordblks;
        perRecord = static_cast<double>(after - before) / static_cast<double>(kDay);
        benchmark::DoNotOptimize(store.GetSize());
    }
    state.counters["bytes_per_record"] = perRecord;
}
BENCHMARK(BM_HeapPerRecord864000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Open864000(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "sonivel-bench-day.txt").string();
    {
        CRecordStore store;
        Fill(store);
        sonivel::WriteDataFile(path, store);
    }
    CRecordStore logger;
    for (auto _ : state) {
        sonivel::SDataFileRead read = sonivel::ReadDataFile(path);
        if (read.records.GetSize() != kDay)
            state.SkipWithError("records lost");
        logger.Replace(std::move(read.records));
        benchmark::DoNotOptimize(logger.GetSize());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Open864000)->Unit(benchmark::kMillisecond);

} // namespace

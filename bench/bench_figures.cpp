// The noise figures: the per-record update of the running figures, and
// sonivel-log stats of a file of 864,000 records (ten days at one a second).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Commands.h"
#include "acoustics/NoiseFigures.h"
#include "common/Text.h"
#include "files/DataFile.h"

namespace {

constexpr int kRecords = 864000;

std::string TimeText(int i)
{
    return sonivel::Format("%.2d-12-2026,%.2d:%.2d:%.2d", 1 + i / 86400, i / 3600 % 24, i / 60 % 60, i % 60);
}

double LevelOf(int i)
{
    return 35.0 + static_cast<int>(static_cast<long long>(i) * 7919 % 900) / 10.0;
}

void BM_RunningFiguresAdd(benchmark::State& state)
{
    std::vector<std::string> times;
    for (int i = 0; i < 3600; ++i)
        times.push_back(TimeText(i));
    sonivel::CRunningFigures figures;
    int i = 0;
    for (auto _ : state) {
        figures.Add(LevelOf(i), times[static_cast<std::size_t>(i)], 1.0);
        i = (i + 1) % 3600;
    }
    benchmark::DoNotOptimize(figures.Count());
}
BENCHMARK(BM_RunningFiguresAdd);

void BM_Stats864000(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "sonivel-bench-figures.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << sonivel::FormatDataHeaderLine(1.0);
        for (int i = 0; i < kRecords; ++i)
            out << sonivel::FormatDataRecordLine(CObjData(LevelOf(i), TimeText(i), "dBA", 0, 1.0));
    }
    for (auto _ : state) {
        std::vector<std::string> lines;
        std::string error;
        if (!StatsLines(path, true, lines, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(lines);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Stats864000)->Unit(benchmark::kMillisecond);

} // namespace

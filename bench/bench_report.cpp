// The noise report of a data text file of 864,000 records (a day at one
// record every 0.1 s): reading the file, the figures and chart envelope per
// weighting, the page layout, the PDF painting and its safe write.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <QGuiApplication>

#include "common/Text.h"
#include "files/DataFile.h"
#include "report/ReportPdf.h"

namespace {

constexpr int kRecords = 864000;

// A level that wanders like traffic noise, with one decimal as the meter gives it.
double LevelOf(int i)
{
    return 35.0 + static_cast<int>(static_cast<long long>(i) * 7919 % 900) / 10.0;
}

std::string DayFile()
{
    const std::string path = (std::filesystem::temp_directory_path() / "sonivel-bench-report.txt").string();
    std::ofstream out(path, std::ios::binary);
    out << sonivel::FormatDataHeaderLine(0.1);
    for (int i = 0; i < kRecords; ++i) {
        const int s = i / 10;
        out << sonivel::FormatDataRecordLine(CObjData(
            LevelOf(i), sonivel::Format("08-12-2026,%.2d:%.2d:%.2d", s / 3600, s / 60 % 60, s % 60), "dBA", 0, 0.1));
    }
    return path;
}

void BM_Report864000(benchmark::State& state)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_report";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt cannot be torn down from the exit handlers.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;

    const std::string path = DayFile();
    const std::string pdf = (std::filesystem::temp_directory_path() / "sonivel-bench-report.pdf").string();
    for (auto _ : state) {
        sonivel::SReportSource source;
        std::string error;
        if (!sonivel::ReadReportSource(path, source, error))
            state.SkipWithError(error.c_str());
        const sonivel::SFileResult written = sonivel::WriteReportPdf(pdf, {source}, "08 Dec 2026 00:00");
        if (!written.ok)
            state.SkipWithError(written.message.c_str());
    }
    std::remove(path.c_str());
    std::remove(pdf.c_str());
}
BENCHMARK(BM_Report864000)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

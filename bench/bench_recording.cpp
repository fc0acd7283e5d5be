// The headless recording path over a long run: the run logic with the store
// keeping no records, each record written to its data file and the export made
// from that file at the end. Reports how much the resident memory grows
// between the first 1,000 records and the last of 100,000 (counter
// rss_growth_kB), the figure that must stay below 1 MB for runs of any length.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "RunOutputs.h"
#include "common/Clock.h"
#include "monitor/MonitorRun.h"
#include "protocol/Receiver.h"

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

struct SNoTimers : IRunTimers {
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
};

struct SWriter : IReceiverHost, IRunHost {
    CRunOutputs* outputs = nullptr;
    bool failed = false;
    void OnHoldStop() override {}
    void OnDownloadEnded() override {}
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
    bool AskSaveCurrentData() override { return true; }
    void OnStoreCleared() override {}
    void OnRunStarted() override {}
    void OnRunStopped() override {}
    void OnRecordAdded(const CObjData& record, std::size_t) override
    {
        std::string message, exportMessage;
        failed = failed || !outputs->Append(record, message, exportMessage);
    }
    void OnLinkLost() override {}
    void OnDownloadFailed() override {}
    void ReopenPort() override {}
};

void BM_RecordRunMemory(benchmark::State& state)
{
    const auto records = static_cast<std::size_t>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path() / "sonivel-bench-recording";
    std::time_t now = 1765000000;
    sonivel::SteadyTime steady = sonivel::SteadyTime{} + std::chrono::hours(1000);
    sonivel::SetClock([&] { return now; });
    sonivel::SetSteadyClock([&] { return steady; });
    long growth = 0;
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        CRunOutputs::SSettings settings;
        settings.out = (folder / "run.txt").string();
        settings.exportPath = (folder / "run.xls").string();
        settings.sampleRate = 0.1;
        CRunOutputs outputs(settings);
        SWriter host;
        host.outputs = &outputs;
        CRecordStore logStore, store;
        CRunningStats stats;
        SNoTimers timers;
        CReceiver rx(host, logStore);
        CMonitorRun run(rx, store, stats, timers, host);
        rx.ResetForFirstShowing();
        const std::uint8_t byte = 0;
        rx.OnReceiveData(&byte, 1);   // the link is alive
        rx.m_live.m_dLevel = 63.5;
        run.m_bKeepRecords = false;
        run.m_nRecordLimit = static_cast<int>(records);
        run.Run(0.1);
        long first = 0;
        for (std::size_t i = 0; i < records && run.IsRunning(); ++i) {
            ++now;
            steady += std::chrono::milliseconds(100);
            rx.OnReceiveData(&byte, 1);
            rx.m_live.m_dLevel = 40.0 + static_cast<double>(i % 600) / 10.0;
            run.SampleTick();
            if (i + 1 == 1000)
                first = ResidentKiB();
        }
        std::string message;
        if (host.failed || !outputs.Finish(message) || outputs.Records() != records)
            state.SkipWithError("the run did not write every record");
        growth = ResidentKiB() - first;
    }
    state.counters["rss_growth_kB"] = static_cast<double>(growth);
    state.counters["records"] = static_cast<double>(records);
    sonivel::SetClock({});
    sonivel::SetSteadyClock({});
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecordRunMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

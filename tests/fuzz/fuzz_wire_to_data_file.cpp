// Wire bytes through the receive path into records, and the records through
// the data text file and back: every record the meter's bytes can make, from
// a monitoring run over the live level or from a data-logger download, is
// written and read back unchanged.
//
// Input: the first byte picks the run's sampling interval; then control
// bytes, each followed by a chunk of 1 + control % 40 bytes, except
// 0xFC (start a run), 0xFD (a sampling tick) and 0xFE (start a download).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/Clock.h"
#include "files/DataFile.h"
#include "monitor/MonitorRun.h"
#include "protocol/Receiver.h"

namespace {

std::time_t g_now = 0;

class CNoTimers : public IRunTimers {
public:
    void SetTimer(int, int) override {}
    void KillTimer(int) override {}
};

class CHost : public IReceiverHost, public IRunHost {
public:
    CMonitorRun* run = nullptr;
    void OnHoldStop() override { run->Stop(); }
    void OnDownloadEnded() override {}
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
};

// The file made of records reads back to the same records (the interval is
// the file's one, taken from the first record), and writes the same file.
void RoundTrip(const CRecordStore& records)
{
    if (records.IsEmpty())
        return;
    const std::string text = sonivel::FormatDataFile(records);
    sonivel::SDataFileRead read = sonivel::ParseDataFile(text);
    if (read.status != sonivel::SDataFileRead::EStatus::Ok || read.records.GetSize() != records.GetSize())
        __builtin_trap();
    const double rate = records.GetAt(0).m_dSampleRate;
    for (std::size_t i = 0; i < records.GetSize(); ++i) {
        const CObjData& was = records.GetAt(i);
        const CObjData& is = read.records.GetAt(i);
        if (is.m_strTime != was.m_strTime || is.m_dValue != was.m_dValue || is.m_strUnit != was.m_strUnit ||
            is.m_dSampleRate != rate)
            __builtin_trap();
    }
    CRecordStore again;
    again.Replace(std::move(read.records));
    if (sonivel::FormatDataFile(again) != text)
        __builtin_trap();
}

} // namespace

// A zone with daylight saving time, as fuzz_receive uses; the PC clock is the
// fuzzer's, one second per sampling tick.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    sonivel::SetClock([] { return g_now; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    g_now = 1700000000;
    CHost host;
    CRecordStore rtStore, logStore;
    CReceiver rx(host, logStore);
    CRunningStats stats;
    CNoTimers timers;
    CMonitorRun run(rx, rtStore, stats, timers, host);
    host.run = &run;
    const double interval = kSampleIntervals[data[0] % kSampleIntervals.size()];
    for (std::size_t at = 1; at < size;) {
        const std::uint8_t control = data[at++];
        if (control == 0xFC) {
            run.Run(interval);
        } else if (control == 0xFD) {
            ++g_now;
            run.SampleTick();
        } else if (control == 0xFE) {
            run.BeginDownload(logStore);
        } else {
            const std::size_t n = std::min<std::size_t>(1 + control % 40, size - at);
            rx.OnReceiveData(data + at, n);
            at += n;
        }
    }
    RoundTrip(rtStore);
    RoundTrip(logStore);
    return 0;
}

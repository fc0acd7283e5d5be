#include <cstdio>

#include "Commands.h"
#include "LiveJson.h"
#include "LogSession.h"
#include "RunFile.h"
#include "files/ExcelExport.h"

namespace {

// With reconnect a run waits for its meter as long as it takes.
constexpr std::chrono::milliseconds kWaitForever = std::chrono::hours(24 * 365 * 100);

// A run starts from a decoded reading, not from the level the program
// starts with.
bool WaitForFirstReading(CLogSession& s, std::chrono::milliseconds timeout)
{
    bool decoded = false;
    ELiveEvent event = ELiveEvent::None;
    s.m_beforeChunk = [&](const std::uint8_t* d, std::size_t n) { event = PredictLiveEvent(s.m_rx, d, n); };
    s.m_afterChunk = [&](const std::uint8_t*, std::size_t) { decoded = decoded || event == ELiveEvent::Frame; };
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!decoded && !CLogSession::s_bInterrupted && std::chrono::steady_clock::now() < end)
        s.Pump(std::chrono::milliseconds(50));
    s.m_beforeChunk = nullptr;
    s.m_afterChunk = nullptr;
    return decoded;
}

} // namespace

int RunRecord(const SLogOptions& o)
{
    CLogSession s(o.reconnect);
    std::string message;
    if (const int rc = s.Open(o.port, message); rc != EXIT_OK)
        return Fail(rc, message);
    if (!WaitForFirstReading(s, o.reconnect ? kWaitForever : std::chrono::seconds(3))) {
        if (CLogSession::s_bInterrupted)
            return Fail(EXIT_OK, "interrupted before the first reading: " + o.out + " not written");
        return Fail(EXIT_SILENT, s.m_rx.m_live.m_bHold ? "the meter shows HOLD: release it to record"
                                                       : "the meter is silent: no live reading within 3 seconds");
    }
    CRunFile file;
    if (!file.Prepare(o.out, message))
        return Fail(EXIT_FAILURE_IO, message);
    bool writeFailed = false;
    s.m_onRecord = [&](const CObjData& record, std::size_t) {
        if (!writeFailed && !file.Append(record, message))
            writeFailed = true;
    };
    s.m_run.m_nRecordLimit = static_cast<int>(o.limit);
    if (!s.m_run.Run(o.interval))
        return Fail(EXIT_SILENT, "the meter went silent before the run began");
    while (s.m_run.IsRunning() && !CLogSession::s_bInterrupted && !writeFailed)
        s.Pump(std::chrono::milliseconds(100));
    const bool interrupted = s.m_run.IsRunning() && !writeFailed;
    s.m_run.Stop();
    file.Close();
    if (writeFailed)
        return Fail(EXIT_FAILURE_IO, message + "; the run stopped, " +
                                         (file.Records() ? std::to_string(file.Records()) + " records kept in " + o.out
                                                         : o.out + " not written"));

    const char* reason = interrupted           ? "interrupted"
                         : s.m_bHoldStopped    ? "HOLD on the meter"
                         : s.m_bLinkLost       ? "the meter went silent"
                                               : "record limit reached";
    const bool silent = s.m_bLinkLost && !interrupted;
    // No record, no file: a run the user ended early is no failure, silence is.
    if (file.Records() == 0)
        return Fail(silent ? EXIT_SILENT : EXIT_OK,
                    std::string("the run ended before its first record (") + reason + "): " + o.out + " not written");

    if (!o.exportPath.empty()) {
        SStatBlock block {s.m_stats.Stats(), s.m_stats.Sum(), s.m_run.Interval()};
        const sonivel::SFileResult r = sonivel::WriteExport(o.exportPath, s.m_rtStore, block, sonivel::EExportSource::MainView);
        if (!r.ok)
            return Fail(EXIT_FAILURE_IO, r.message);
    }
    std::FILE* summary = o.out == "-" ? stderr : stdout;   // "-": the data text is on stdout
    std::fprintf(summary, "%zu records in %s; the run ended: %s\n", s.m_rtStore.GetSize(), o.out.c_str(), reason);
    if (silent)
        return Fail(EXIT_SILENT, "the meter went silent: run stopped, " + std::to_string(s.m_rtStore.GetSize()) +
                                     " records kept in " + o.out);
    return EXIT_OK;
}

#include <cstdio>

#include "Commands.h"
#include "LiveJson.h"
#include "LogMqtt.h"
#include "LogSession.h"
#include "PcTime.h"
#include "RunOutputs.h"
#include "StatsJson.h"
#include "common/Clock.h"

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

CRunOutputs::SSettings OutputSettings(const SLogOptions& o)
{
    CRunOutputs::SSettings settings;
    settings.out = o.out;
    settings.exportPath = o.exportPath;
    settings.csvPath = o.csvPath;
    settings.existing = o.append  ? CRunFile::EExisting::Append
                        : o.force ? CRunFile::EExisting::Replace
                                  : CRunFile::EExisting::Refuse;
    settings.rotate = o.rotate;
    settings.sampleRate = o.interval;
    return settings;
}

std::string Where(const CRunOutputs& outputs)
{
    if (outputs.Files() > 1)
        return std::to_string(outputs.Files()) + " files, the last " + outputs.CurrentPath();
    return outputs.CurrentPath();
}

// The run on the open port, from its first reading to its end; figures
// gets every record kept.
int Record(const SLogOptions& o, CLogSession& s, CRunOutputs& outputs, sonivel::CFiguresByWeighting& figures,
           CLogMqtt& mqtt)
{
    std::string message;
    if (!WaitForFirstReading(s, o.reconnect ? kWaitForever : std::chrono::seconds(3))) {
        if (CLogSession::s_bInterrupted)
            return Fail(EXIT_OK, "interrupted before the first reading: " + o.out + " not written");
        return Fail(EXIT_SILENT, s.m_rx.m_live.m_bHold ? "the meter shows HOLD: release it to record"
                                                       : "the meter is silent: no live reading within 3 seconds");
    }
    bool writeFailed = false;
    bool exportFailed = false;
    const bool publishing = !o.mqttUrl.empty();
    ELiveEvent event = ELiveEvent::None;
    if (publishing) {
        s.m_beforeChunk = [&](const std::uint8_t* d, std::size_t n) { event = PredictLiveEvent(s.m_rx, d, n); };
        s.m_afterChunk = [&](const std::uint8_t*, std::size_t) {
            if (event != ELiveEvent::None)
                mqtt.OnLive(s.m_rx.m_live, LiveReadingJson(s.m_rx.m_live, PcTimeNow()));
        };
    }
    s.m_onRecord = [&](const CObjData& record, std::size_t) {
        std::string exportMessage;
        if (!writeFailed && !outputs.Append(record, message, exportMessage)) {
            writeFailed = true;
        } else if (!writeFailed) {
            figures.Add(record);
            if (publishing)
                mqtt.OnRecord(record);
        }
        if (!exportMessage.empty()) {   // reported at once; the recording goes on
            Fail(EXIT_FAILURE_IO, exportMessage);
            exportFailed = true;
        }
    };
    // Each record goes to its file as it is taken; the store keeps none.
    s.m_run.m_bKeepRecords = false;
    s.m_run.m_nRecordLimit = static_cast<int>(o.limit);
    if (!s.m_run.Run(o.interval))
        return Fail(EXIT_SILENT, "the meter went silent before the run began");
    std::string refusal;
    while (s.m_run.IsRunning() && !CLogSession::s_bInterrupted && !writeFailed && refusal.empty()) {
        s.Pump(std::chrono::milliseconds(100));
        if (publishing)
            mqtt.Tick("recording", s.m_rx.m_bLinkAlive, refusal);
    }
    s.m_beforeChunk = nullptr;
    s.m_afterChunk = nullptr;
    const bool interrupted = s.m_run.IsRunning() && !writeFailed;
    s.m_run.Stop();
    if (writeFailed) {
        outputs.Close();
        return Fail(EXIT_FAILURE_IO, message + "; the run stopped, " +
                                         (outputs.Records() ? std::to_string(outputs.Records()) + " records kept in " + Where(outputs)
                                                            : outputs.CurrentPath() + " not written"));
    }

    const char* reason = !refusal.empty()      ? "the MQTT broker refused the station"
                         : interrupted         ? "interrupted"
                         : s.m_bHoldStopped    ? "HOLD on the meter"
                         : s.m_bLinkLost       ? "the meter went silent"
                                               : "record limit reached";
    const bool silent = s.m_bLinkLost && !interrupted;
    // No record, no file: a run the user ended early is no failure, silence is.
    if (outputs.Records() == 0)
        return Fail(silent ? EXIT_SILENT : EXIT_OK,
                    std::string("the run ended before its first record (") + reason + "): " + o.out + " not written");

    if (!outputs.Finish(message))
        return Fail(EXIT_FAILURE_IO, message);
    std::FILE* summary = o.out == "-" ? stderr : stdout;   // "-": the data text is on stdout
    std::fprintf(summary, "%zu records in %s; the run ended: %s\n", outputs.Records(), Where(outputs).c_str(), reason);
    if (!refusal.empty())
        return Fail(EXIT_MQTT_REFUSED, refusal);
    if (silent)
        return Fail(EXIT_SILENT, "the meter went silent: run stopped, " + std::to_string(outputs.Records()) +
                                     " records kept in " + Where(outputs));
    return exportFailed ? EXIT_FAILURE_IO : EXIT_OK;
}

} // namespace

int RunRecord(const SLogOptions& o)
{
    CRunOutputs outputs(OutputSettings(o));
    std::string message;
    if (!outputs.Check(sonivel::Now(), message))
        return Fail(EXIT_FAILURE_IO, message + (message.ends_with("the file exists")
                                                    ? " (--append continues it, --force replaces it)"
                                                    : ""));
    // A broker refusing the station ends the command before any file is made.
    CLogMqtt mqtt;
    if (!o.mqttUrl.empty()) {
        if (const int rc = mqtt.Start(o, false, message); rc != EXIT_OK)
            return Fail(rc, message);
    }
    CLogSession s(o.reconnect);
    if (const int rc = s.Open(o.port, message); rc != EXIT_OK)
        return Fail(rc, message);
    // The figures are kept record by record, as the files are written.
    sonivel::CFiguresByWeighting figures;
    const int status = Record(o, s, outputs, figures, mqtt);
    mqtt.Finish();
    if (o.statsJson) {
        // The last lines of standard output, after the data text of --out -;
        // a run over several files is named by its name pattern.
        const std::string file = outputs.Files() > 1 ? o.out : outputs.CurrentPath();
        for (const std::string& line : FiguresJsonLines(file, figures, o.hourly))
            std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return status;
}

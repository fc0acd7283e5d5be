#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include <unistd.h>

#include "Commands.h"
#include "LogSession.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "protocol/LoggerRequest.h"

namespace {

// Writes one file of group n with write, unless it exists and force is off.
// False after a line on standard error naming the group and the file.
bool SaveGroupFile(int n, const std::string& path, bool force,
                   const std::function<sonivel::SFileResult(const std::string&)>& write)
{
    // Only a regular file is kept back: links and folders get their own message.
    std::error_code ec;
    if (!force && std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) {
        Fail(EXIT_FAILURE_IO, "group " + std::to_string(n) + " not saved: " + path + " exists (--force replaces it)");
        return false;
    }
    const sonivel::SFileResult r = write(path);
    if (!r.ok)
        Fail(EXIT_FAILURE_IO, "group " + std::to_string(n) + " not saved: " + r.message);
    return r.ok;
}

// Writes one data text file per group (and with csv its CSV file beside it)
// and prints its summary line. Every group is tried; each one that cannot be
// written gets its own line on standard error, and the status tells that at
// least one failed.
int WriteGroups(const CRecordStore& store, const std::string& dir, bool force, bool csv)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return Fail(EXIT_FAILURE_IO, "Can't create " + dir + ": " + ec.message());
    std::map<int, CRecordSelection> groups;
    for (std::size_t i = 0; i < store.GetSize(); ++i)
        groups[store.GetAt(i).m_nGroup].Add(store, i);
    if (groups.empty())
        std::printf("the data logger holds no recording\n");
    int status = EXIT_OK;
    for (const auto& group : groups) {
        const int n = group.first;
        const CRecordSelection& records = group.second;
        const std::string base = (std::filesystem::path(dir) / ("group-" + std::to_string(n))).string();
        const std::string path = base + ".txt";
        if (!SaveGroupFile(n, path, force, [&](const std::string& p) { return sonivel::WriteDataFile(p, records); })) {
            status = EXIT_FAILURE_IO;
            continue;
        }
        std::string also;
        if (csv) {
            if (SaveGroupFile(n, base + ".csv", force, [&](const std::string& p) { return sonivel::WriteCsv(p, records); }))
                also = " and " + base + ".csv";
            else
                status = EXIT_FAILURE_IO;
        }
        const CObjData& first = records.GetAt(0);
        std::printf("group %d: %zu records, %s, every %g s, %s to %s -> %s%s\n", n, records.GetSize(),
                    first.m_strUnit.c_str(), first.m_dSampleRate, first.m_strTime.c_str(),
                    records.GetAt(records.GetSize() - 1).m_strTime.c_str(), path.c_str(), also.c_str());
    }
    return status;
}

// Shows the download's percentage on standard error at most once a second:
// rewritten in place on a terminal, one line each otherwise (--progress).
class CProgressReport {
public:
    explicit CProgressReport(bool terminal) : m_bTerminal(terminal) {}
    ~CProgressReport()
    {
        if (m_bTerminal && m_nShown >= 0)
            std::fputc('\n', stderr);
    }
    void Show(int range, int pos)
    {
        const auto now = std::chrono::steady_clock::now();
        const int percent = range > 0 ? static_cast<int>(std::clamp(100LL * pos / range, 0LL, 100LL)) : 0;
        if (percent == m_nShown || (m_nShown >= 0 && now - m_lastShown < std::chrono::seconds(1)))
            return;
        std::fprintf(stderr, m_bTerminal ? "\rsonivel-log: download %d%%" : "sonivel-log: download %d%%\n", percent);
        std::fflush(stderr);
        m_nShown = percent;
        m_lastShown = now;
    }

private:
    bool m_bTerminal;
    int m_nShown = -1;
    std::chrono::steady_clock::time_point m_lastShown;
};

} // namespace

int RunDownload(const SLogOptions& o)
{
    CLogSession s;
    std::string message;
    if (const int rc = s.Open(o.port, message); rc != EXIT_OK)
        return Fail(rc, message);
    if (!s.WaitForLink(std::chrono::seconds(3))) {
        if (CLogSession::s_bInterrupted)
            return Fail(EXIT_SILENT, "download interrupted");
        return Fail(EXIT_SILENT, "the meter is silent: no bytes within 3 seconds");
    }
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    std::optional<CProgressReport> progress;
    if (terminal || o.progress) {
        progress.emplace(terminal);
        s.m_onProgress = [&progress](int range, int pos) { progress->Show(range, pos); };
    }
    s.m_run.BeginDownload(s.m_logStore);
    s.m_timers.SetTimer(TIMER_DOWNLOAD, static_cast<int>(o.timeout * 1000));

    CLoggerRequest request([&s](const std::uint8_t* d, std::size_t n) { return s.Write(d, n); });
    request.Start();
    auto nextRequest = std::chrono::steady_clock::now();
    while (s.m_rx.m_bLogDownload && !CLogSession::s_bInterrupted) {
        s.Pump(std::chrono::milliseconds(request.Active() ? CLoggerRequest::kTickMs : 100));
        const auto now = std::chrono::steady_clock::now();
        if (request.Active() && now >= nextRequest) {
            request.Tick(s.m_rx.m_bLogDownload, s.m_rx.m_bLogAck);
            nextRequest = now + std::chrono::milliseconds(CLoggerRequest::kTickMs);
        }
    }
    s.m_onProgress = nullptr;
    progress.reset();   // ends its line before any message
    if (CLogSession::s_bInterrupted && s.m_rx.m_bLogDownload)
        return Fail(EXIT_SILENT, "download interrupted");
    if (s.m_bDownloadFailed)
        return Fail(EXIT_SILENT, std::string("download failed: ") + kDownloadErrorText +
                                     (s.m_bLinkLost ? " (the meter went silent)" : " (no complete answer in time)"));
    return WriteGroups(s.m_logStore, o.outDir, o.force, o.csv);
}

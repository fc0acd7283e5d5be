#include "LogSession.h"

#include <algorithm>
#include <csignal>

#include "serial/PortEnum.h"
#include "serial/PortSelect.h"

std::atomic<bool> CLogSession::s_bInterrupted {false};

namespace {

void OnSignal(int)
{
    CLogSession::s_bInterrupted = true;
}

} // namespace

void CLogSession::InstallSignalHandlers()
{
    // Every ending signal ends a run the same clean way.
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    for (const int sig : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
    // A reader that went away is a failed write (EPIPE), not a sudden end.
    sa.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &sa, nullptr);
}

CLogSession::CLogSession() : m_rx(*this, m_logStore), m_run(m_rx, m_rtStore, m_stats, m_timers, *this)
{
    m_rx.ResetForFirstShowing();
}

CLogSession::~CLogSession()
{
    m_port.Close();
}

int CLogSession::Open(const std::string& path, std::string& message)
{
    const std::string device = path.empty() ? FindMeterPort(DefaultSysfsRoot()) : path;
    if (device.empty()) {
        message = "No meter port found: no Silicon Labs CP210x bridge is plugged in "
                  "(name the port with --port or SONIVEL_PORT).";
        return EXIT_NO_PORT;
    }
    if (!OpenComPort(m_port, device, m_queue.Callback(), message))
        return EXIT_NO_PORT;
    // The view's timer 2: the link watchdog runs from the opening on, and
    // counts the silence from now.
    m_run.WatchOpenedPort();
    return EXIT_OK;
}

bool CLogSession::WaitForLink(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!m_rx.m_bLinkAlive && !s_bInterrupted && std::chrono::steady_clock::now() < end)
        Pump(std::chrono::milliseconds(50));
    return m_rx.m_bLinkAlive;
}

void CLogSession::Pump(std::chrono::milliseconds maxWait)
{
    // Short waits keep Ctrl-C prompt; timers cut them shorter still.
    const auto now = CLoopTimers::Clock::now();
    auto wait = m_timers.UntilNext(now, std::min(maxWait, std::chrono::milliseconds(100)));
    m_queue.WaitAndTake(m_chunks, std::chrono::duration_cast<std::chrono::milliseconds>(wait));
    while (!m_chunks.empty()) {
        const CChunkQueue::Chunk chunk = std::move(m_chunks.front());
        m_chunks.pop_front();
        if (m_beforeChunk)
            m_beforeChunk(chunk.data(), chunk.size());
        m_rx.OnReceiveData(chunk.data(), chunk.size());
        if (m_afterChunk)
            m_afterChunk(chunk.data(), chunk.size());
    }
    for (const int id : m_timers.TakeDue(CLoopTimers::Clock::now()))
        m_run.OnTimer(id);
}

void CLogSession::OnHoldStop()
{
    m_bHoldStopped = true;
    m_run.Stop();
}

void CLogSession::OnDownloadEnded()
{
    m_bDownloadEnded = true;
}

void CLogSession::OnRecordAdded(const CObjData& record, std::size_t count)
{
    if (m_onRecord)
        m_onRecord(record, count);
}

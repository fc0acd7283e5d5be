#include "LogSession.h"

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "PcTime.h"
#include "common/Clock.h"
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

CLogSession::CLogSession(bool reconnect)
    : m_rx(*this, m_logStore), m_run(m_rx, m_rtStore, m_stats, m_timers, *this), m_bReconnect(reconnect)
{
    m_rx.ResetForFirstShowing();
}

CLogSession::~CLogSession()
{
    m_port.Close();
}

int CLogSession::Open(const std::string& path, std::string& message)
{
    m_strPath = path;
    const int rc = OpenPort(message);
    if (rc == EXIT_OK || !m_bReconnect)
        return rc;
    std::fprintf(stderr, "sonivel-log: %s %s; trying again every second\n", PcTimeNow().c_str(), message.c_str());
    m_bLossReported = true;
    m_link = ELink::Closed;
    m_run.StartWatchdog();
    message.clear();
    return EXIT_OK;
}

int CLogSession::OpenPort(std::string& message)
{
    m_strDevice = m_strPath.empty() ? FindMeterPort(DefaultSysfsRoot()) : m_strPath;
    if (m_strDevice.empty()) {
        message = "No meter port found: no Silicon Labs CP210x bridge is plugged in "
                  "(name the port with --port or SONIVEL_PORT).";
        return EXIT_NO_PORT;
    }
    if (!OpenComPort(m_port, m_strDevice, m_queue.Callback(), message))
        return EXIT_NO_PORT;
    // The view's timer 2: the link watchdog runs from the opening on, and
    // counts the silence from now.
    m_run.WatchOpenedPort();
    m_link = ELink::Waiting;
    m_nUpdatesAtOpen = m_rx.m_live.m_nUpdates;
    return EXIT_OK;
}

void CLogSession::ReconnectWatchdog()
{
    if (m_link == ELink::Closed) {
        std::string message;   // quiet: the loss was reported, the return will be
        OpenPort(message);
        return;
    }
    if (sonivel::SteadyNow() - m_rx.m_timeLastRx < std::chrono::seconds(kLinkTimeoutSeconds))
        return;
    // Silent: away with the port and with the bytes of a frame it left half
    // done; the next frame to count must come whole through the new one.
    m_port.Close();
    m_queue.WaitAndTake(m_chunks, std::chrono::milliseconds(0));
    m_chunks.clear();
    m_rx.m_strReceive.clear();
    m_rx.m_bLinkAlive = false;
    m_link = ELink::Closed;
    if (!m_bLossReported)
        std::fprintf(stderr, "sonivel-log: %s link lost: %s silent for %d seconds; opening it again every second\n",
                     PcTimeNow().c_str(), m_strDevice.c_str(), kLinkTimeoutSeconds);
    m_bLossReported = true;
}

bool CLogSession::ReadingIsFresh() const
{
    return m_link == ELink::Up && sonivel::SteadyNow() - m_rx.m_timeLastRx <= kFreshFor;
}

void CLogSession::NoteLinkChanges()
{
    if (m_link != ELink::Waiting || m_rx.m_live.m_nUpdates == m_nUpdatesAtOpen)
        return;
    m_link = ELink::Up;
    if (m_bLossReported)
        std::fprintf(stderr, "sonivel-log: %s link back: %s\n", PcTimeNow().c_str(), m_strDevice.c_str());
    m_bLossReported = false;
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
    if (m_bReconnect)
        NoteLinkChanges();
    for (const int id : m_timers.TakeDue(CLoopTimers::Clock::now())) {
        if (m_bReconnect && id == TIMER_WATCHDOG)
            ReconnectWatchdog();
        else if (!(m_bReconnect && id == TIMER_SAMPLE && !ReadingIsFresh()))
            m_run.OnTimer(id);
    }
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

#pragma once
#include <atomic>
#include <deque>
#include <chrono>
#include <functional>
#include <string>

#include "LoopTimers.h"
#include "monitor/MonitorRun.h"
#include "monitor/RecordList.h"
#include "monitor/Statistics.h"
#include "protocol/Receiver.h"
#include "serial/ChunkQueue.h"
#include "serial/ComPort.h"

// Exit statuses of sonivel-log.
enum EExit { EXIT_OK = 0, EXIT_FAILURE_IO = 1, EXIT_USAGE = 2, EXIT_NO_PORT = 3, EXIT_SILENT = 4 };

// The headless counterpart of the main view: the port, the receive path, the
// monitoring run and its timers, driven by one plain loop on the main thread.
// The reader thread only queues chunks; everything else happens in Pump().
class CLogSession : public IReceiverHost, public IRunHost {
public:
    CLogSession();
    ~CLogSession() override;

    // Opens the meter's port: path, or $SONIVEL_PORT, or the automatic search.
    // EXIT_OK, or EXIT_NO_PORT with message.
    int Open(const std::string& path, std::string& message);
    // Waits until bytes arrive (the link is alive); false after timeout.
    bool WaitForLink(std::chrono::milliseconds timeout);
    // One turn of the loop: waits up to maxWait for chunks or a timer, hands
    // the chunks to the receiver and fires due timers.
    void Pump(std::chrono::milliseconds maxWait);

    std::size_t Write(const std::uint8_t* data, std::size_t count) { return m_port.Write(data, count); }

    // Set by SIGINT, SIGTERM and SIGHUP; SIGPIPE is ignored.
    static std::atomic<bool> s_bInterrupted;
    static void InstallSignalHandlers();

    CRecordStore m_rtStore;
    CRecordStore m_logStore;
    CRunningStats m_stats;
    CReceiver m_rx;
    CLoopTimers m_timers;
    CMonitorRun m_run;

    // What happened (read by the commands).
    bool m_bHoldStopped = false;
    bool m_bLinkLost = false;
    bool m_bDownloadEnded = false;
    bool m_bDownloadFailed = false;

    // Hooks of the commands.
    std::function<void(const std::uint8_t*, std::size_t)> m_beforeChunk;
    std::function<void(const std::uint8_t*, std::size_t)> m_afterChunk;
    std::function<void(const CObjData&, std::size_t)> m_onRecord;

    // IReceiverHost
    void OnHoldStop() override;
    void OnDownloadEnded() override;
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
    // IRunHost
    void OnRecordAdded(const CObjData& record, std::size_t count) override;
    void OnLinkLost() override { m_bLinkLost = true; }
    void OnDownloadFailed() override { m_bDownloadFailed = true; }

private:
    CChunkQueue m_queue;
    CComPort m_port;
    std::deque<CChunkQueue::Chunk> m_chunks;
};

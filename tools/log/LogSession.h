#pragma once
#include <atomic>
#include <deque>
#include <chrono>
#include <functional>
#include <string>

#include "LoopTimers.h"
#include "monitor/MonitorRun.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"
#include "protocol/Receiver.h"
#include "serial/ChunkQueue.h"
#include "serial/ComPort.h"

// Exit statuses of sonivel-log.
enum EExit { EXIT_OK = 0, EXIT_FAILURE_IO = 1, EXIT_USAGE = 2, EXIT_NO_PORT = 3, EXIT_SILENT = 4,
             EXIT_MQTT_REFUSED = 5 };

// The headless counterpart of the main view: the port, the receive path, the
// monitoring run and its timers, driven by one plain loop on the main thread.
// The reader thread only queues chunks; everything else happens in Pump().
//
// With reconnect (live and record --reconnect) silence or a hang-up ends
// nothing and m_bLinkLost stays false: the link watchdog closes the silent
// port, says so on standard error with the time, and opens the same port
// (the path given, or the automatic search again) every second. The link
// counts as back, and is reported so, once an update of the live reading (a
// decoded frame, a HOLD marker) has come through the reopened port. A
// sampling tick takes a record only while the link is up and its newest
// bytes are at most kFreshFor old, so no record takes a level from before the
// gap and none is made for it (the watchdog itself waits two seconds). A port
// that cannot be opened at the start is waited for the same way.
class CLogSession : public IReceiverHost, public IRunHost {
public:
    explicit CLogSession(bool reconnect = false);
    ~CLogSession() override;

    // Opens the meter's port: path, or $SONIVEL_PORT, or the automatic search.
    // EXIT_OK, or EXIT_NO_PORT with message (with reconnect always EXIT_OK:
    // a failure is reported and the port tried again every second).
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
    std::function<void(int range, int pos)> m_onProgress;

    // IReceiverHost
    void OnHoldStop() override;
    void OnDownloadEnded() override;
    void OnProgress(int range, int, int pos) override
    {
        if (m_onProgress)
            m_onProgress(range, pos);
    }
    void OnPanelRepaint() override {}
    // IRunHost
    void OnRecordAdded(const CObjData& record, std::size_t count) override;
    void OnLinkLost() override { m_bLinkLost = true; }
    void OnDownloadFailed() override { m_bDownloadFailed = true; }

private:
    // The states of the link with reconnect.
    enum class ELink { Up, Waiting, Closed };
    static constexpr std::chrono::milliseconds kFreshFor {1000};
    int OpenPort(std::string& message);
    bool ReadingIsFresh() const;
    void ReconnectWatchdog();
    void NoteLinkChanges();

    bool m_bReconnect;
    ELink m_link = ELink::Waiting;
    bool m_bLossReported = false;
    unsigned m_nUpdatesAtOpen = 0;
    std::string m_strPath;     // as asked: empty for the automatic search
    std::string m_strDevice;   // the device last opened or tried

    CChunkQueue m_queue;
    CComPort m_port;
    std::deque<CChunkQueue::Chunk> m_chunks;
};

#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "records/RecordList.h"
#include "monitor/SetupMath.h"
#include "monitor/Statistics.h"
#include "protocol/Receiver.h"

// The window timers of the monitoring run, by id.
enum ERunTimer {
    TIMER_REOPEN = 1,     // 2000 ms after a device change: reopen the port
    TIMER_WATCHDOG = 2,   // 1000 ms, the link watchdog
    TIMER_SAMPLE = 3,     // the sampling tick, interval x 1000 ms
    TIMER_DOWNLOAD = 4,   // 250000 ms, the data-logger time-out
};

inline constexpr int kReopenDelayMs = 2000;
inline constexpr int kWatchdogPeriodMs = 1000;
inline constexpr int kLinkTimeoutSeconds = 2;   // on the monotonic clock
inline constexpr int kDownloadTimeoutMs = 250000;
inline constexpr int kDefaultRecordLimit = 40000;

// The ten sampling intervals, in seconds, in the order of the combo boxes
// (the seconds of sonivel::kRateChoices).
inline constexpr std::array<double, sonivel::kRateChoices.size()> kSampleIntervals = [] {
    std::array<double, sonivel::kRateChoices.size()> seconds{};
    for (std::size_t i = 0; i < seconds.size(); ++i)
        seconds[i] = sonivel::kRateChoices[i].seconds;
    return seconds;
}();
inline constexpr int kDefaultIntervalIndex = sonivel::kDefaultRateIndex;

// Index of seconds in kSampleIntervals, -1 when it is none of them.
int SampleIntervalIndex(double seconds);
// The sampling timer's period: trunc(seconds x 1000).
int SamplePeriodMs(double seconds);
// A monitoring run's time text of t: "%.2d-%.2d-%d,%.2d:%.2d:%.2d" in local time.
std::string RunTimeText(std::time_t t);

inline constexpr const char* kDownloadErrorText = "Occur an error";
inline constexpr const char* kDownloadErrorCaption = "error";
inline constexpr const char* kStopRunFirstText = "Please stop the Real Time Runing!";
inline constexpr const char* kStopRunFirstCaption = "Tip";

// The owner's timers (QTimer in the window, a deadline list in the headless
// logger). Setting a timer that runs restarts it with the new period.
class IRunTimers {
public:
    virtual ~IRunTimers() = default;
    virtual void SetTimer(int id, int periodMs) = 0;
    virtual void KillTimer(int id) = 0;
};

// What the run tells its owner. Every call is made on the owner's thread,
// inside a call of CMonitorRun.
class IRunHost {
public:
    virtual ~IRunHost() = default;
    // Run over a store that holds records: ask "Save Current Data?" and save
    // on OK. True lets the run empty the store and start (Cancel, or a save
    // that succeeded); false keeps the records and the run does not start
    // (the save failed or its file dialog was cancelled).
    virtual bool AskSaveCurrentData() { return true; }
    // The store and the statistics were emptied (data list, graph, boxes).
    virtual void OnStoreCleared() {}
    // A run began / ended (Stop, record limit, HOLD, link loss): enable or
    // grey the controls, the graph's follow flag.
    virtual void OnRunStarted() {}
    virtual void OnRunStopped() {}
    // A record was appended and accounted; count is the store's new size.
    virtual void OnRecordAdded(const CObjData& /*record*/, std::size_t /*count*/) {}
    // The link watchdog found the meter silent: show the no-link panel.
    virtual void OnLinkLost() {}
    // The download has ended by time-out or link loss (close the progress
    // dialog), and then the error to show: "Occur an error" / "error".
    virtual void OnDownloadEnded() {}
    virtual void OnDownloadFailed() {}
    // Timer 1: open the meter's port again (the bridge was plugged in).
    virtual void ReopenPort() {}
};

// The monitoring run and the view's timers 1 to 4, without any window: Run,
// Stop, the sampling tick, the link watchdog, the download time-out and the
// reopen after a device change. The live reading and the link and download
// flags are the receiver's; the owner calls everything on the thread that
// feeds the receiver.
class CMonitorRun {
public:
    CMonitorRun(CReceiver& receiver, CRecordStore& store, CRunningStats& stats, IRunTimers& timers, IRunHost& host);

    // Run: nothing while the link is dead (false). Otherwise saves (asks) and
    // empties a store that holds records, starts the sampling timer with
    // trunc(interval x 1000) ms and marks the run active. When the host's
    // save did not succeed nothing changes and the result is false.
    bool Run(double intervalSeconds);
    // Stop: the run ends, the records stay.
    void Stop();
    bool IsRunning() const { return m_rx.m_bRunActive; }
    // Puts back the records of a run that ended without the user's decision
    // (read from its journal) as the run had made them: the store, the
    // statistics and the interval. Only outside a run; records not empty.
    void Restore(CRecordStore records);
    double Interval() const { return m_dInterval; }

    int m_nRecordLimit = kDefaultRecordLimit;
    // False for an owner that keeps the records elsewhere (the headless
    // logger writes each one to its file): the store then holds only the
    // run's first record (the statistics' start time) and every later record
    // lives only for the OnRecordAdded call, so memory does not grow with
    // the run.
    bool m_bKeepRecords = true;
    // The records taken by the current (or last) run.
    std::size_t Taken() const { return m_nTaken; }

    // The owner's timer fired.
    void OnTimer(int id);

    // Arms the link watchdog (timer 2); it runs until the owner ends.
    void StartWatchdog();
    // A port was opened, however it was chosen (automatic search, manual
    // choice, a named device, the reopen after a device change): the silence
    // counts from now and the watchdog runs, so a meter that goes quiet ends
    // a run and shows the no-link picture. Also after a failed open.
    void WatchOpenedPort();
    // A device change found the bridge: reopen in 2 s (timer 1).
    void ScheduleReopen();

    // DataLogger command, first steps: refuses while a run is active (the
    // owner shows kStopRunFirstText) or while the link is dead; otherwise
    // starts the download in the receiver, empties the logger store and
    // restarts the 250 s time-out.
    enum class EDownloadStart { Started, RunActive, LinkDead };
    EDownloadStart BeginDownload(CRecordStore& logStore);

    // The sampling tick: one record of the live reading, stamped with the PC
    // clock (the time text to the second, m_nMilli the milliseconds past it).
    void SampleTick();
    void Watchdog();
    void DownloadTimeout();

private:
    void EndRun();

    CReceiver& m_rx;
    CRecordStore& m_store;
    CRunningStats& m_stats;
    IRunTimers& m_timers;
    IRunHost& m_host;
    double m_dInterval = kSampleIntervals[kDefaultIntervalIndex];
    std::size_t m_nTaken = 0;
};

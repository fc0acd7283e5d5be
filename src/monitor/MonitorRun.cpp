#include "monitor/MonitorRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "common/Clock.h"
#include "common/Text.h"

int SampleIntervalIndex(double seconds)
{
    for (std::size_t i = 0; i < kSampleIntervals.size(); ++i)
        if (std::fabs(kSampleIntervals[i] - seconds) < 1e-9)
            return static_cast<int>(i);
    return -1;
}

int SamplePeriodMs(double seconds)
{
    // The small allowance keeps 0.1 x 1000 etc. from truncating to 99.
    return static_cast<int>(std::trunc(seconds * 1000.0 + 1e-6));
}

std::string RunTimeText(std::time_t t)
{
    const std::tm tm = sonivel::LocalTime(t);
    return sonivel::Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour,
                           tm.tm_min, tm.tm_sec);
}

CMonitorRun::CMonitorRun(CReceiver& receiver, CRecordStore& store, CRunningStats& stats, IRunTimers& timers,
                         IRunHost& host)
    : m_rx(receiver), m_store(store), m_stats(stats), m_timers(timers), m_host(host)
{
}

bool CMonitorRun::Run(double intervalSeconds)
{
    if (!m_rx.m_bLinkAlive || m_rx.m_bRunActive)
        return false;
    if (!m_store.IsEmpty() && !m_host.AskSaveCurrentData())
        return false;
    m_stats.Reset();
    m_store.RemoveAll();
    m_nTaken = 0;
    m_host.OnStoreCleared();
    m_dInterval = intervalSeconds;
    m_timers.SetTimer(TIMER_SAMPLE, SamplePeriodMs(intervalSeconds));
    m_rx.m_bRunActive = true;
    m_host.OnRunStarted();
    return true;
}

void CMonitorRun::Restore(CRecordStore records)
{
    if (m_rx.m_bRunActive || records.IsEmpty())
        return;
    m_stats.Reset();
    m_dInterval = records.GetAt(0).m_dSampleRate;
    m_store.Replace(std::move(records));
    const CObjData first = m_store.GetAt(0);
    for (std::size_t i = 0; i < m_store.GetSize(); ++i)
        m_stats.Account(m_store.GetAt(i), first, i + 1);
}

void CMonitorRun::Stop()
{
    EndRun();
}

void CMonitorRun::EndRun()
{
    const bool wasRunning = m_rx.m_bRunActive;
    m_rx.m_bRunActive = false;
    m_timers.KillTimer(TIMER_SAMPLE);
    if (wasRunning)
        m_host.OnRunStopped();
}

void CMonitorRun::OnTimer(int id)
{
    switch (id) {
    case TIMER_REOPEN:
        if (!m_rx.m_bLinkAlive)
            m_host.ReopenPort();
        StartWatchdog();
        m_timers.KillTimer(TIMER_REOPEN);
        break;
    case TIMER_WATCHDOG: Watchdog(); break;
    case TIMER_SAMPLE: SampleTick(); break;
    case TIMER_DOWNLOAD: DownloadTimeout(); break;
    default: break;
    }
}

void CMonitorRun::StartWatchdog()
{
    m_timers.SetTimer(TIMER_WATCHDOG, kWatchdogPeriodMs);
}

void CMonitorRun::WatchOpenedPort()
{
    m_rx.m_timeLastRx = sonivel::SteadyNow();
    StartWatchdog();
}

void CMonitorRun::ScheduleReopen()
{
    m_timers.SetTimer(TIMER_REOPEN, kReopenDelayMs);
}

void CMonitorRun::SampleTick()
{
    if (!m_rx.m_bRunActive) {
        m_timers.KillTimer(TIMER_SAMPLE);   // a tick that was already queued when the run ended
        return;
    }
    if (m_rx.m_live.m_bHold || !m_rx.m_bLinkAlive)
        return;
    if (m_nTaken >= static_cast<std::size_t>(std::max(m_nRecordLimit, 0))) {
        EndRun();
        return;
    }
    const SLiveReading& live = m_rx.m_live;
    const sonivel::SPcTime now = sonivel::NowMs();
    const CObjData record(live.m_dLevel, RunTimeText(now.seconds), live.m_bWeightA ? "dBA" : "dBC", 0, m_dInterval,
                          now.milli);
    if (m_bKeepRecords || m_store.IsEmpty())
        m_store.Add(record);
    ++m_nTaken;
    m_stats.Account(record, m_store.GetAt(0), m_nTaken);
    m_host.OnRecordAdded(record, m_nTaken);
}

void CMonitorRun::Watchdog()
{
    // Silence is measured on the monotonic clock: setting or stepping the PC
    // clock neither ends a live link nor keeps a dead one alive.
    if (sonivel::SteadyNow() - m_rx.m_timeLastRx < std::chrono::seconds(kLinkTimeoutSeconds))
        return;
    m_host.OnLinkLost();
    if (m_rx.m_bRunActive)
        Stop();
    m_rx.m_bLinkAlive = false;
    if (m_rx.m_bLogDownload) {
        m_host.OnDownloadEnded();
        m_rx.m_bLogDownload = false;
        m_host.OnDownloadFailed();
    }
}

void CMonitorRun::DownloadTimeout()
{
    if (m_rx.m_bLogDownload) {
        m_host.OnDownloadEnded();
        m_rx.m_bLogDownload = false;
        m_host.OnDownloadFailed();
    }
    m_timers.KillTimer(TIMER_DOWNLOAD);
}

CMonitorRun::EDownloadStart CMonitorRun::BeginDownload(CRecordStore& logStore)
{
    if (m_rx.m_bRunActive)
        return EDownloadStart::RunActive;
    if (!m_rx.m_bLinkAlive)
        return EDownloadStart::LinkDead;
    m_rx.BeginDownload();
    logStore.RemoveAll();
    m_timers.KillTimer(TIMER_DOWNLOAD);
    m_timers.SetTimer(TIMER_DOWNLOAD, kDownloadTimeoutMs);
    return EDownloadStart::Started;
}

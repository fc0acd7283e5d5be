// The monitoring run and the view's timers, on settable clocks.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "common/Clock.h"
#include "common/Text.h"
#include "monitor/MonitorRun.h"

namespace {

struct SFakeTimers : IRunTimers {
    std::map<int, int> running;   // id -> period
    void SetTimer(int id, int ms) override { running[id] = ms; }
    void KillTimer(int id) override { running.erase(id); }
};

struct SHost : IReceiverHost, IRunHost {
    int asked = 0, cleared = 0, started = 0, stopped = 0, lost = 0, ended = 0, failed = 0, reopened = 0;
    std::size_t lastCount = 0;
    void OnHoldStop() override {}
    void OnDownloadEnded() override { ++ended; }
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
    bool AskSaveCurrentData() override
    {
        ++asked;
        return true;
    }
    void OnStoreCleared() override { ++cleared; }
    void OnRunStarted() override { ++started; }
    void OnRunStopped() override { ++stopped; }
    void OnRecordAdded(const CObjData&, std::size_t count) override { lastCount = count; }
    void OnLinkLost() override { ++lost; }
    void OnDownloadFailed() override { ++failed; }
    void ReopenPort() override { ++reopened; }
};

class MonitorRunTest : public ::testing::Test {
protected:
    MonitorRunTest() : rx(host, logStore), run(rx, store, stats, timers, host)
    {
        sonivel::SetClock([this] { return now; });
        sonivel::SetSteadyClock([this] { return steady; });
        rx.ResetForFirstShowing();
        Chunk();
        rx.m_live.m_dLevel = 63.5;
        rx.m_live.m_bWeightA = false;
    }
    ~MonitorRunTest() override
    {
        sonivel::SetClock({});
        sonivel::SetSteadyClock({});
    }

    // A byte from the meter (not a frame: the live reading stays).
    void Chunk()
    {
        const std::uint8_t byte = 0x00;
        rx.OnReceiveData(&byte, 1);
    }
    // Time passes on both clocks.
    void Pass(int seconds)
    {
        now += seconds;
        steady += std::chrono::seconds(seconds);
    }

    std::time_t now = 1765000000;   // some afternoon in December 2025, on the PC clock
    sonivel::SteadyTime steady = sonivel::SteadyTime{} + std::chrono::hours(1000);
    SHost host;
    CRecordStore logStore, store;
    CRunningStats stats;
    SFakeTimers timers;
    CReceiver rx;
    CMonitorRun run;
};

} // namespace

TEST_F(MonitorRunTest, RunRecordsUpToTheLimitAndEndsOnTheNextTick)
{
    run.m_nRecordLimit = 5;
    ASSERT_TRUE(run.Run(1.0));
    EXPECT_EQ(timers.running.at(TIMER_SAMPLE), 1000);
    EXPECT_TRUE(rx.m_bRunActive);
    for (int i = 0; i < 5; ++i)
        run.OnTimer(TIMER_SAMPLE);
    EXPECT_EQ(store.GetSize(), 5u);
    EXPECT_TRUE(run.IsRunning());
    run.OnTimer(TIMER_SAMPLE);   // the sixth tick ends the run
    EXPECT_FALSE(run.IsRunning());
    EXPECT_EQ(timers.running.count(TIMER_SAMPLE), 0u);
    EXPECT_EQ(store.GetSize(), 5u);
    EXPECT_EQ(host.stopped, 1);
    EXPECT_EQ(host.lastCount, 5u);
    EXPECT_EQ(stats.Count(), 5u);

    const CObjData& r = store.GetAt(0);
    EXPECT_DOUBLE_EQ(r.m_dValue, 63.5);
    EXPECT_EQ(r.m_strUnit, "dBC");
    EXPECT_EQ(r.m_nGroup, 0);
    EXPECT_DOUBLE_EQ(r.m_dSampleRate, 1.0);
    EXPECT_EQ(r.m_strTime, RunTimeText(now));
    const std::tm tm = sonivel::LocalTime(now);
    EXPECT_EQ(r.m_strTime, sonivel::Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1,
                                           tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec));
}

TEST_F(MonitorRunTest, RunNeedsTheLinkAndEmptiesAnOldSeriesAfterAsking)
{
    rx.m_bLinkAlive = false;
    EXPECT_FALSE(run.Run(0.5));
    EXPECT_EQ(timers.running.count(TIMER_SAMPLE), 0u);
    rx.m_bLinkAlive = true;

    ASSERT_TRUE(run.Run(0.5));
    EXPECT_EQ(host.asked, 0);   // nothing to save yet
    run.SampleTick();
    run.SampleTick();
    run.Stop();
    EXPECT_EQ(store.GetSize(), 2u);   // Stop keeps the records
    ASSERT_TRUE(run.Run(0.1));
    EXPECT_EQ(host.asked, 1);
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_EQ(stats.Count(), 0u);
    EXPECT_EQ(timers.running.at(TIMER_SAMPLE), 100);
}

TEST_F(MonitorRunTest, NoRecordWhileHoldOrLinkDead)
{
    run.m_nRecordLimit = 1;
    ASSERT_TRUE(run.Run(2.0));
    rx.m_live.m_bHold = true;
    run.SampleTick();
    run.SampleTick();   // not even the end-of-run check
    rx.m_live.m_bHold = false;
    rx.m_bLinkAlive = false;
    run.SampleTick();
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_TRUE(run.IsRunning());
    rx.m_bLinkAlive = true;
    run.SampleTick();
    EXPECT_EQ(store.GetSize(), 1u);
}

TEST_F(MonitorRunTest, WatchdogStopsTheRunAndFailsTheDownloadAfterTwoSilentSeconds)
{
    run.StartWatchdog();
    EXPECT_EQ(timers.running.at(TIMER_WATCHDOG), 1000);
    ASSERT_TRUE(run.Run(1.0));
    run.SampleTick();
    Pass(1);
    run.OnTimer(TIMER_WATCHDOG);
    EXPECT_TRUE(run.IsRunning());
    Pass(1);
    run.OnTimer(TIMER_WATCHDOG);
    EXPECT_FALSE(run.IsRunning());
    EXPECT_FALSE(rx.m_bLinkAlive);
    EXPECT_EQ(host.lost, 1);
    EXPECT_EQ(store.GetSize(), 1u);
    EXPECT_EQ(host.failed, 0);
    EXPECT_EQ(timers.running.count(TIMER_WATCHDOG), 1u);   // never killed

    // A download under way when the link goes: ended, then the error.
    Chunk();
    ASSERT_EQ(run.BeginDownload(logStore), CMonitorRun::EDownloadStart::Started);
    Pass(5);
    run.OnTimer(TIMER_WATCHDOG);
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(host.failed, 1);
}

TEST_F(MonitorRunTest, PcClockStepsNeitherEndNorProlongTheLink)
{
    run.StartWatchdog();
    ASSERT_TRUE(run.Run(1.0));
    // Bytes keep arriving while the PC clock is set an hour ahead, then a
    // day back: the link stays alive and the run goes on.
    for (const int step : {3600, -86400}) {
        Chunk();
        now += step;
        steady += std::chrono::milliseconds(500);
        run.OnTimer(TIMER_WATCHDOG);
        EXPECT_TRUE(rx.m_bLinkAlive) << step;
        ASSERT_TRUE(run.IsRunning()) << step;
        run.SampleTick();
        // Records carry the PC's time, stepped or not.
        EXPECT_EQ(store.GetAt(store.GetSize() - 1).m_strTime, RunTimeText(now)) << step;
    }
    // Then the meter goes silent while the PC clock stands still: two
    // seconds after the last byte the run ends with its records.
    steady += std::chrono::milliseconds(1400);
    run.OnTimer(TIMER_WATCHDOG);
    EXPECT_TRUE(run.IsRunning());
    steady += std::chrono::milliseconds(100);
    run.OnTimer(TIMER_WATCHDOG);
    EXPECT_FALSE(run.IsRunning());
    EXPECT_FALSE(rx.m_bLinkAlive);
    EXPECT_EQ(host.lost, 1);
    EXPECT_EQ(store.GetSize(), 2u);
}

TEST_F(MonitorRunTest, DownloadStartRulesAndTimeout)
{
    ASSERT_TRUE(run.Run(1.0));
    EXPECT_EQ(run.BeginDownload(logStore), CMonitorRun::EDownloadStart::RunActive);
    run.Stop();
    rx.m_bLinkAlive = false;
    EXPECT_EQ(run.BeginDownload(logStore), CMonitorRun::EDownloadStart::LinkDead);
    rx.m_bLinkAlive = true;
    logStore.Add(CObjData(1.0, "t", "dBA", 1, 1.0));
    ASSERT_EQ(run.BeginDownload(logStore), CMonitorRun::EDownloadStart::Started);
    EXPECT_TRUE(logStore.IsEmpty());
    EXPECT_TRUE(rx.m_bLogDownload);
    EXPECT_FALSE(rx.m_bLogAck);
    EXPECT_EQ(timers.running.at(TIMER_DOWNLOAD), 250000);
    run.OnTimer(TIMER_DOWNLOAD);
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.failed, 1);
    EXPECT_EQ(timers.running.count(TIMER_DOWNLOAD), 0u);
    run.OnTimer(TIMER_DOWNLOAD);   // fires after a finished download: only kills itself
    EXPECT_EQ(host.failed, 1);
}

TEST_F(MonitorRunTest, ReopenTimerOpensOnlyWhenNoBytesArriveAndArmsTheWatchdog)
{
    run.ScheduleReopen();
    EXPECT_EQ(timers.running.at(TIMER_REOPEN), 2000);
    run.OnTimer(TIMER_REOPEN);
    EXPECT_EQ(host.reopened, 0);   // bytes are arriving
    EXPECT_EQ(timers.running.count(TIMER_REOPEN), 0u);
    EXPECT_EQ(timers.running.at(TIMER_WATCHDOG), 1000);
    rx.m_bLinkAlive = false;
    run.ScheduleReopen();
    run.OnTimer(TIMER_REOPEN);
    EXPECT_EQ(host.reopened, 1);
}

TEST(SampleIntervals, TheTenChoicesAndTheirTimerPeriods)
{
    const int periods[10] = {100, 200, 500, 1000, 1500, 2000, 2500, 3000, 5000, 10000};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(SamplePeriodMs(kSampleIntervals[i]), periods[i]);
        EXPECT_EQ(SampleIntervalIndex(kSampleIntervals[i]), i);
    }
    EXPECT_EQ(SampleIntervalIndex(0.3), -1);
    EXPECT_EQ(SampleIntervalIndex(0.5), kDefaultIntervalIndex);
}

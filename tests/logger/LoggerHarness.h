#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "logger/DataLogger.h"
#include "monitor/MonitorRun.h"
#include "records/RecordList.h"
#include "protocol/Receiver.h"
#include "dialogs/Dialogs.h"

namespace loggertest {

// The owner side of the data-logger download as the main view builds it: a
// real receiver, the run's timers (link watchdog, download time-out) and the
// data-logger command, with the bytes written to the meter captured.
class CLoggerHarness final : public IReceiverHost, public IRunHost, public IRunTimers {
public:
    // write: where the requests go besides the capture (a port), if anywhere.
    explicit CLoggerHarness(MeterWriteFn write = {})
        : rx(*this, logStore), run(rx, rtStore, stats, *this, *this),
          logger(&view, rx, logStore,
                 CDataLogger::SHooks{[this, write](const std::uint8_t* d, std::size_t n) {
                                         written.insert(written.end(), d, d + n);
                                         return write ? write(d, n) : n;
                                     },
                                     [this] {
                                         KillTimer(TIMER_DOWNLOAD);
                                         SetTimer(TIMER_DOWNLOAD, kDownloadTimeoutMs);
                                     }})
    {
        rx.m_bLinkAlive = true;
    }

    void Feed(const std::vector<std::uint8_t>& bytes, std::size_t chunk = 20)
    {
        for (std::size_t i = 0; i < bytes.size(); i += chunk)
            rx.OnReceiveData(bytes.data() + i, std::min(chunk, bytes.size() - i));
    }

    // IReceiverHost
    void OnHoldStop() override {}
    void OnDownloadEnded() override { logger.OnDownloadEnded(); }
    void OnProgress(int range, int step, int pos) override { logger.OnProgress(range, step, pos); }
    void OnPanelRepaint() override {}
    // IRunHost: the time-out and the link watchdog end the download.
    void OnDownloadFailed() override
    {
        Dialogs().Message(&view, QString::fromLatin1(kDownloadErrorText), QString::fromLatin1(kDownloadErrorCaption));
    }
    // IRunTimers
    void SetTimer(int id, int periodMs) override
    {
        auto& t = timers[id];
        if (!t) {
            t = std::make_unique<QTimer>();
            QObject::connect(t.get(), &QTimer::timeout, [this, id] { run.OnTimer(id); });
        }
        t->start(periodMs);
    }
    void KillTimer(int id) override
    {
        if (auto it = timers.find(id); it != timers.end())
            it->second->stop();
    }
    bool TimerActive(int id) const
    {
        auto it = timers.find(id);
        return it != timers.end() && it->second->isActive();
    }

    QWidget view;
    CRecordStore rtStore, logStore;
    CReceiver rx;
    CRunningStats stats;
    std::map<int, std::unique_ptr<QTimer>> timers;
    CMonitorRun run;
    CDataLogger logger;
    std::vector<std::uint8_t> written;
};

// Runs a modal dialog for real, with a guard that closes it after 10 s so a
// dialog that never ends fails the test instead of hanging it.
inline int GuardedExec(QDialog& dialog, bool* timedOut = nullptr)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, [&] {
        if (timedOut)
            *timedOut = true;
        dialog.reject();
    });
    guard.start(10000);
    return dialog.exec();
}

// A data-logger answer: 0xBB, the announced length, the groups and 0xDD.
struct SAnswerGroup {
    std::vector<std::uint8_t> header;   // 8 bytes
    std::vector<int> tenths;            // levels in tenths of a dB
};

inline std::uint8_t Bcd(int v)
{
    return static_cast<std::uint8_t>((v / 10) << 4 | (v % 10));
}

inline std::vector<std::uint8_t> LoggerAnswer(const std::vector<SAnswerGroup>& groups)
{
    std::vector<std::uint8_t> data;
    for (const SAnswerGroup& g : groups) {
        data.insert(data.end(), g.header.begin(), g.header.end());
        data.push_back(0xAC);
        for (int t : g.tenths) {
            data.push_back(Bcd(t / 100));
            data.push_back(Bcd(t % 100));
        }
    }
    data.push_back(0xDD);
    const int n = static_cast<int>(data.size()) + 98;
    std::vector<std::uint8_t> answer {0xBB, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF)};
    answer.insert(answer.end(), data.begin(), data.end());
    return answer;
}

inline const std::vector<std::uint8_t> kEmptyLogger {0xBB, 0x00, 0x64, 0xDD, 0x00};

} // namespace loggertest

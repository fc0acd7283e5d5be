#pragma once
#include <functional>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "logger/DataLogDlg.h"
#include "logger/LogState.h"
#include "records/RecordList.h"
#include "protocol/LoggerRequest.h"

class CReceiver;
class QWidget;

// The main view's data-logger side: the DataLogger command (32780), the Open
// command (32790), the download's progress dialog and the data-logger window
// (m_pLogDlg). The view owns one of these and:
//   - runs DataLogger() and Open() for its commands;
//   - forwards IReceiverHost::OnDownloadEnded() and OnProgress() here, and
//     calls OnDownloadEnded() too when its time-out (timer 4) or its link
//     watchdog ends a download (before it shows "Occur an error");
//   - provides the hooks: the port's write function and the restart of
//     timer 4 with 250000 ms.
// Everything runs on the user-interface thread, where the receiver is fed.
class CDataLogger : public QObject {
    Q_OBJECT
public:
    struct SHooks {
        MeterWriteFn write;                     // bytes to the meter (the port's Write)
        std::function<void()> restartTimeout;   // kill timer 4 and start it with 250000 ms
    };

    CDataLogger(QWidget* view, CReceiver& receiver, CRecordStore& logStore, SHooks hooks);
    ~CDataLogger() override;   // deletes the window and the progress dialog

    // DataLogger command: refused with "Please stop the Real Time Runing!"
    // ("Tip") during a monitoring run, silently without a link. Otherwise
    // empties the logger store, restarts the time-out, repeats the request
    // until the answer header arrives (from a timer: the event loop keeps
    // running), shows the progress dialog modally until the download ends or
    // is cancelled, then shows the data-logger window.
    void DataLogger();
    // Open command: reads a data text file into the logger store and shows
    // the data-logger window (re-created when it exists).
    void Open();
    // The same for the file at path, as if it had been chosen in the dialog.
    void OpenFile(const QString& path);

    // The download has ended (end marker, empty logger, time-out, link loss):
    // the progress dialog closes, also when it is not on screen yet.
    void OnDownloadEnded();
    // Progress of the download: range 0..range, step, position.
    void OnProgress(int range, int step, int pos);

    CDataLogDlg* Window() const { return m_pLogDlg; }
    CLogState& Progress() { return *m_pLogState; }
    // Data-logger requests written by the last DataLogger command.
    int Requests() const { return m_request.Requests(); }

private:
    void ShowWindow();
    void ReadFile(const QString& path);   // empty: ask for it
    void RequestTick();

    QWidget* m_pView;
    CReceiver& m_rx;
    CRecordStore& m_logStore;
    SHooks m_hooks;
    CLoggerRequest m_request;
    QTimer m_requestTimer;
    QPointer<CLogState> m_pLogState;
    QPointer<CDataLogDlg> m_pLogDlg;
    bool m_bInCommand = false;
};

#pragma once
// Long file work seen from the UI thread: the progress dialog with Cancel, and
// the waiting for a job on a worker thread while the event loop keeps turning
// (chunks from the meter, timers and repaints go on; the monitoring run keeps
// appending). Everything here runs on the UI thread.
//
// The dialog comes up only once the work has lasted kShowAfterMs, application
// modal: until then user input waits in the queue, afterwards it goes to the
// dialog alone, so no command starts while the work runs and nothing empties
// the records the work reads. Cancel (or Esc, or closing the dialog) asks the
// work to stop; the work then leaves files and stores as they were.
#include <cstddef>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include "files/FileResult.h"
#include "files/JobRunner.h"

class QProgressDialog;
class QWidget;

namespace sonivel {

class CJobDialog {
public:
    static constexpr int kShowAfterMs = 300;

    // label: what the work does, shown above the bar. onCancel: called once
    // when the user cancels.
    CJobDialog(QWidget* parent, QString label, std::function<void()> onCancel);
    ~CJobDialog();   // closes the dialog
    CJobDialog(const CJobDialog&) = delete;
    CJobDialog& operator=(const CJobDialog&) = delete;

    // Shows done of total, bringing the dialog up once the work has lasted
    // kShowAfterMs.
    void Update(std::size_t done, std::size_t total);
    // Lets the event loop run what is pending (user input only while the
    // dialog is on screen); with wait, first waits for an event.
    void ProcessEvents(bool wait);
    bool Cancelled() const { return m_bCancelled; }

private:
    QWidget* m_pParent;
    QString m_strLabel;
    std::function<void()> m_onCancel;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_pDialog;
    bool m_bCancelled = false;
};

// Runs work on a worker thread (see CJobRunner; work must not throw) and
// returns once it has ended and its thread is joined, the progress dialog
// driven meanwhile by a timer polling the job's progress. The end reaches the
// UI thread by one queued call. Should no thread start, the work runs here.
void RunJob(QWidget* parent, const QString& label, const CJobRunner::Work& work);

// The same for work with a file result, which it returns.
SFileResult RunFileJob(QWidget* parent, const QString& label,
                       const std::function<SFileResult(IJobProgress&)>& work);

} // namespace sonivel

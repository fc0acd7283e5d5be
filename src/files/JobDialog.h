#pragma once
// Long file work seen from the UI thread: the progress dialog with Cancel, and
// the waiting for a job on a worker thread while the event loop keeps turning
// (chunks from the meter, timers and repaints go on; the monitoring run keeps
// appending). Everything here runs on the UI thread.
//
// The dialog comes up once the work has lasted kShowAfterMs, without modality:
// the windows keep answering the user meanwhile (the chart scrolls, zooms and
// measures, the data list scrolls). What would conflict with the work (another
// file command, whatever empties or replaces a store, closing a window that
// owns one, quitting) asks JobRunning() and is refused or greyed while it is
// true, so nothing empties the records the work reads. Cancel (or Esc, or
// closing the dialog) asks the work to stop; the work then leaves files and
// stores as they were.
#include <cstddef>
#include <functional>
#include <memory>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include "files/FileResult.h"
#include "files/JobRunner.h"

class QProgressDialog;
class QWidget;

namespace sonivel {

// Whether file work is in progress (from a CJobDialog's construction to its
// end; they may nest).
bool JobRunning();

// Tells when JobRunning() changes, for the windows that grey their commands.
class CJobState final : public QObject {
    Q_OBJECT
public:
    static CJobState& Instance();
signals:
    void RunningChanged(bool running);
};

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
    // Lets the event loop run what is pending, user input included; with
    // wait, first waits for an event.
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

#include "files/JobDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>

namespace sonivel {
namespace {

constexpr int kBarSteps = 1000;
constexpr int kPollMs = 50;

int g_nJobs = 0;   // CJobDialogs alive (UI thread only)

} // namespace

bool JobRunning()
{
    return g_nJobs > 0;
}

CJobState& CJobState::Instance()
{
    static auto* state = new CJobState;   // lives to the end of the process
    return *state;
}

CJobDialog::CJobDialog(QWidget* parent, QString label, std::function<void()> onCancel)
    : m_pParent(parent), m_strLabel(std::move(label)), m_onCancel(std::move(onCancel))
{
    m_clock.start();
    if (g_nJobs++ == 0)
        emit CJobState::Instance().RunningChanged(true);
}

CJobDialog::~CJobDialog()
{
    delete m_pDialog.data();
    if (--g_nJobs == 0)
        emit CJobState::Instance().RunningChanged(false);
}

void CJobDialog::Update(std::size_t done, std::size_t total)
{
    if (!m_pDialog) {
        if (m_clock.elapsed() < kShowAfterMs)
            return;
        auto* dialog = new QProgressDialog(m_strLabel, QStringLiteral("Cancel"), 0, kBarSteps, m_pParent);
        dialog->setObjectName(QStringLiteral("jobProgress"));
        dialog->setWindowTitle(QCoreApplication::applicationName());
        dialog->setWindowModality(Qt::NonModal);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setMinimumDuration(0);
        QObject::connect(dialog, &QProgressDialog::canceled, dialog, [this] {
            if (m_bCancelled)
                return;
            m_bCancelled = true;
            if (m_onCancel)
                m_onCancel();
        });
        m_pDialog = dialog;
        dialog->show();
    }
    const int value = total == 0 ? 0 : static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * kBarSteps);
    m_pDialog->setValue(std::min(value, kBarSteps - 1));   // full only when the work has ended
}

void CJobDialog::ProcessEvents(bool wait)
{
    QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
    if (wait)
        flags |= QEventLoop::WaitForMoreEvents;
    QCoreApplication::processEvents(flags);
}

void RunJob(QWidget* parent, const QString& label, const CJobRunner::Work& work)
{
    CJobRunner runner;
    bool ended = false;
    QObject endpoint;   // the UI thread's end of the job: the queued call runs here
    // The dialog first: JobRunning() holds before the work starts.
    CJobDialog dialog(parent, label, [&runner] { runner.Cancel(); });
    const bool started = runner.Start([&work, &endpoint, &ended](IJobProgress& progress) {
        work(progress);
        QMetaObject::invokeMethod(&endpoint, [&ended] { ended = true; }, Qt::QueuedConnection);
    });
    if (!started) {
        CJobProgress progress;
        work(progress);
        return;
    }
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] { dialog.Update(runner.Progress().Done(), runner.Progress().Total()); });
    poll.start();
    while (!ended)
        dialog.ProcessEvents(true);
    runner.Wait();
}

SFileResult RunFileJob(QWidget* parent, const QString& label, const std::function<SFileResult(IJobProgress&)>& work)
{
    SFileResult result;
    RunJob(parent, label, [&](IJobProgress& progress) { result = work(progress); });
    return result;
}

} // namespace sonivel

#include "logger/DataLogger.h"

#include <QWidget>

#include "dialogs/Dialogs.h"
#include "logger/DataLogDlg.h"
#include "logger/LogFileRead.h"
#include "logger/LogState.h"
#include "protocol/Receiver.h"
#include "settings/SettingsFile.h"

CDataLogger::CDataLogger(QWidget* view, CReceiver& receiver, CRecordStore& logStore, SHooks hooks)
    : m_pView(view), m_rx(receiver), m_logStore(logStore), m_hooks(std::move(hooks)),
      m_request(m_hooks.write), m_pLogState(new CLogState(view))
{
    m_requestTimer.setInterval(CLoggerRequest::kTickMs);
    connect(&m_requestTimer, &QTimer::timeout, this, &CDataLogger::RequestTick);
}

CDataLogger::~CDataLogger()
{
    delete m_pLogDlg.data();
    delete m_pLogState.data();
}

void CDataLogger::DataLogger()
{
    if (m_rx.m_bRunActive) {
        Dialogs().Message(m_pView, QStringLiteral("Please stop the Real Time Runing!"), QStringLiteral("Tip"));
        return;
    }
    if (!m_rx.m_bLinkAlive || m_bInCommand || m_rx.m_bLogDownload)
        return;
    m_bInCommand = true;
    m_rx.BeginDownload();
    // The open window forgets the records deleted now and stays off the
    // store until the download is over.
    if (m_pLogDlg) {
        m_pLogDlg->ForgetSelection();
        m_pLogDlg->SetDownloadActive(true);
    }
    m_logStore.RemoveAll();
    if (m_pLogDlg)
        m_pLogDlg->FillGroupList();
    if (m_hooks.restartTimeout)
        m_hooks.restartTimeout();

    m_pLogState->Reset();
    m_request.Start();
    m_requestTimer.start();
    Dialogs().Exec(*m_pLogState);
    m_requestTimer.stop();
    m_request.Stop();

    ShowWindow();
    m_rx.m_bLogDownload = false;
    if (m_pLogDlg)
        m_pLogDlg->SetDownloadActive(false);
    m_bInCommand = false;
}

void CDataLogger::RequestTick()
{
    if (!m_request.Tick(m_rx.m_bLogDownload, m_rx.m_bLogAck))
        m_requestTimer.stop();
}

void CDataLogger::Open()
{
    ReadFile(QString());
}

void CDataLogger::OpenFile(const QString& path)
{
    if (!path.isEmpty())
        ReadFile(path);
}

void CDataLogger::ReadFile(const QString& path)
{
    if (m_rx.m_bLogDownload)
        return;
    const auto forget = [this] {
        if (m_pLogDlg)
            m_pLogDlg->ForgetSelection();
    };
    const bool read = path.isEmpty() ? ReadLogFile(m_pView, m_logStore, forget)
                                     : ReadLogFileAt(m_pView, path, m_logStore, forget);
    if (read)
        ShowWindow();
}

void CDataLogger::ShowWindow()
{
    if (!m_pLogDlg) {
        m_pLogDlg = new CDataLogDlg(m_pView->window(), m_logStore);
        settingsfile::RememberGeometry(m_pLogDlg, QStringLiteral("DataLogger/Geometry"));
        m_pLogDlg->show();
    } else {
        m_pLogDlg->Recreate();
    }
}

void CDataLogger::OnDownloadEnded()
{
    m_requestTimer.stop();
    if (m_pLogState)
        m_pLogState->RequestClose();
}

void CDataLogger::OnProgress(int range, int step, int pos)
{
    if (m_pLogState)
        m_pLogState->SetProgress(range, step, pos);
}

// The monitoring run of the main view: Run, Stop, Clear Data, Setup, the
// sampling tick, the link watchdog and the statistics boxes.
#include <QComboBox>
#include <QTableView>

#include "common/Clock.h"
#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "graph/GraphicsBtn.h"
#include "monitor/DataListModel.h"
#include "monitor/MeterPanel.h"
#include "monitor/RTSetup.h"
#include "monitor/SetupMath.h"
#include "view/MyKovaView.h"

namespace {
QString Latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

void CMyKovaView::OnRun()
{
    if (!m_receiver.m_bLinkAlive || m_receiver.m_bRunActive)
        return;
    if (!m_rtStore.IsEmpty()) {
        if (Dialogs().AskOkCancel(this, QStringLiteral("Save Current Data?"), QStringLiteral("Tip")))
            OnSave();
        ResetStatistics();
        m_rtStore.RemoveAll();
        m_pListModel->ResetRows();
    }
    const int index = std::max(0, m_form.rate->currentIndex());
    m_dSampleInterval = sonivel::kRateChoices[static_cast<std::size_t>(index)].seconds;
    m_sampleTimer.start(static_cast<int>(m_dSampleInterval * 1000.0 + 1e-6), this);
    m_form.rate->setEnabled(false);
    m_pGraph->m_dXMax = 20;
    m_pGraph->ResetView();
    m_receiver.m_bRunActive = true;
    m_pGraph->m_bFollow = true;
    emit RunStateChanged(true);
}

void CMyKovaView::OnStop()
{
    EndRun();
}

void CMyKovaView::EndRun()
{
    m_form.rate->setEnabled(true);
    m_receiver.m_bRunActive = false;
    m_pGraph->m_bFollow = false;
    m_sampleTimer.stop();
    emit RunStateChanged(false);
}

void CMyKovaView::OnClearData()
{
    if (m_receiver.m_bRunActive)
        return;   // greyed during a run
    if (!Dialogs().AskOkCancel(this, QStringLiteral("Clear data?"), QStringLiteral("Tips")))
        return;
    ResetStatistics();
    m_rtStore.RemoveAll();
    m_pListModel->ResetRows();
    m_pGraph->ResetView();
}

void CMyKovaView::OnSetup()
{
    if (!m_receiver.m_bLinkAlive || m_receiver.m_bRunActive)
        return;
    CRTSetup setup(this);
    setup.SetGroupNumber(m_nRecordLimit);
    if (Dialogs().Exec(setup) != QDialog::Accepted)
        return;
    m_nRecordLimit = setup.GroupNumber();
    m_form.rate->setCurrentIndex(setup.RateIndex());
    OnRun();
}

void CMyKovaView::SampleTick()
{
    if (m_receiver.m_live.m_bHold || !m_receiver.m_bLinkAlive)
        return;
    if (m_rtStore.GetSize() >= static_cast<std::size_t>(std::max(0, m_nRecordLimit))) {
        EndRun();
        return;
    }
    const std::tm t = sonivel::LocalTime(sonivel::Now());
    std::string time = sonivel::Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900,
                                       t.tm_hour, t.tm_min, t.tm_sec);
    const CObjData& record = m_rtStore.Add(std::make_unique<CObjData>(
        m_receiver.m_live.m_dLevel, std::move(time), m_receiver.m_live.m_bWeightA ? "dBA" : "dBC", 0,
        m_dSampleInterval));
    m_pListModel->Sync();
    if (m_bListShown)
        m_form.list->scrollToBottom();
    RedrawGraph(0);
    m_stats.Account(record, m_rtStore.GetAt(0), m_rtStore.GetSize());
    ShowStatistics();
}

void CMyKovaView::WatchdogTick()
{
    const std::time_t d = sonivel::Now() - m_receiver.m_timeLastRx;
    if (d < 2)
        return;
    m_form.panel->RefreshLcd();
    if (m_receiver.m_bRunActive)
        OnStop();
    SetLinkAlive(false);
    if (m_receiver.m_bLogDownload) {
        OnDownloadEnded();
        m_receiver.m_bLogDownload = false;
        Dialogs().Message(this, QStringLiteral("Occur an error"), QStringLiteral("error"));
    }
}

void CMyKovaView::ResetStatistics()
{
    m_stats.Reset();
    SetField(1009, QString());
}

void CMyKovaView::ShowStatistics()
{
    const RTStatistics& s = m_stats.Stats();
    SetField(1009, QString::number(static_cast<qulonglong>(m_stats.Count())));
    SetField(1001, Latin1(s.strStartTime));
    if (!s.strMaxTime.empty()) {
        SetField(1002, Latin1(sonivel::Format("%.1f", s.dMax)));
        SetField(1003, Latin1(s.strMaxTime));
    }
    if (!s.strMinTime.empty()) {
        SetField(1008, Latin1(sonivel::Format("%.1f", s.dMin)));
        SetField(1006, Latin1(s.strMinTime));
    }
    SetField(1005, Latin1(sonivel::Format("%.1f", s.dAverage)));
}

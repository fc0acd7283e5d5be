// The monitoring run as the main view shows it: Run, Stop, Clear Data, Setup,
// and what the run reports (records, statistics boxes, greying, link loss).
#include <QComboBox>
#include <QTableView>

#include "acoustics/NoiseStatistics.h"
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
    const int index = std::max(0, m_form.rate->currentIndex());
    m_run.Run(sonivel::kRateChoices[static_cast<std::size_t>(index)].seconds);
}

void CMyKovaView::OnStop()
{
    m_run.Stop();
}

void CMyKovaView::OnClearData()
{
    if (m_run.IsRunning())
        return;   // greyed during a run
    if (!Dialogs().AskOkCancel(this, QStringLiteral("Clear data?"), QStringLiteral("Tips")))
        return;
    ResetStatistics();
    m_rtStore.RemoveAll();
    m_pNoise->Reset();
    m_journal.Remove();
    m_pListModel->ResetRows();
    m_pGraph->ResetView();
}

void CMyKovaView::OfferRestore()
{
    CRunJournal::SLeftOver left = m_journal.TakeOver();
    if (!left.message.empty())
        Dialogs().Message(this, Latin1(left.message), QStringLiteral("Tip"), IDialogs::Icon::Warning);
    if (left.records.IsEmpty())
        return;
    const QString question = QStringLiteral("A monitoring run was not saved: %1 records from %2.\nRestore them?")
                                 .arg(left.records.GetSize())
                                 .arg(Latin1(left.records.GetAt(0).m_strTime));
    if (!Dialogs().AskYesNo(this, question, QStringLiteral("Tip"))) {
        m_journal.Remove();
        return;
    }
    // Back as the run left them: the store, statistics, interval, list and graph.
    m_run.Restore(std::move(left.records));
    m_pNoise->Fill(m_rtStore);
    if (const int index = SampleIntervalIndex(m_run.Interval()); index >= 0)
        m_form.rate->setCurrentIndex(index);
    m_pListModel->ResetRows();
    m_pGraph->m_dXMax = 20;
    m_pGraph->ResetView();
    RedrawGraph(0);
    ShowStatistics();
}

void CMyKovaView::OnSetup()
{
    if (!m_receiver.m_bLinkAlive || m_run.IsRunning())
        return;
    CRTSetup setup(this);
    setup.SetGroupNumber(m_run.m_nRecordLimit);
    setup.SetRateIndex(m_form.rate->currentIndex());
    if (Dialogs().Exec(setup) != QDialog::Accepted)
        return;
    m_run.m_nRecordLimit = setup.GroupNumber();
    m_form.rate->setCurrentIndex(setup.RateIndex());
    OnRun();
}

// ---- what the run reports -------------------------------------------------------

bool CMyKovaView::AskSaveCurrentData()
{
    // Cancel discards the series; OK keeps it unless it really was saved.
    if (!Dialogs().AskOkCancel(this, QStringLiteral("Save Current Data?"), QStringLiteral("Tip")))
        return true;
    return SaveRunData();
}

void CMyKovaView::OnStoreCleared()
{
    m_journal.Remove();   // the records were saved or discarded by the user
    m_pNoise->Reset();
    SetField(1009, QString());
    m_pListModel->ResetRows();
}

void CMyKovaView::OnRunStarted()
{
    m_bJournalReported = false;
    m_form.rate->setEnabled(false);
    m_pGraph->m_dXMax = 20;
    m_pGraph->ResetView();
    m_pGraph->m_bFollow = true;
    emit RunStateChanged(true);
}

void CMyKovaView::OnRunStopped()
{
    m_form.rate->setEnabled(true);
    m_pGraph->m_bFollow = false;
    emit RunStateChanged(false);
}

void CMyKovaView::OnRecordAdded(const CObjData& record, std::size_t)
{
    m_pListModel->Sync();
    if (m_bListShown)
        m_form.list->scrollToBottom();
    RedrawGraph(0);
    ShowStatistics();
    m_pNoise->Add(record);
    // Into the journal as it is taken; a journal that fails is shown once and
    // the run goes on.
    std::string failure;
    if (!m_journal.Append(record, failure) && !m_bJournalReported) {
        m_bJournalReported = true;
        Dialogs().Message(this, Latin1(failure) + QStringLiteral("\nThe run goes on without a journal."),
                          QStringLiteral("Tip"), IDialogs::Icon::Warning);
    }
}

void CMyKovaView::OnLinkLost()
{
    m_form.panel->SetLinkAlive(false);
    m_form.panel->RefreshLcd();
}

void CMyKovaView::OnDownloadFailed()
{
    Dialogs().Message(this, QString::fromLatin1(kDownloadErrorText), QString::fromLatin1(kDownloadErrorCaption));
}

// ---- statistics boxes -------------------------------------------------------------

void CMyKovaView::ResetStatistics()
{
    m_stats.Reset();
    SetField(1009, QString());
}

SStatBlock CMyKovaView::StatBlock() const
{
    SStatBlock block;
    block.stats = m_stats.Stats();
    block.dSum = m_stats.Sum();
    block.dSampleRate = m_run.Interval();
    return block;
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

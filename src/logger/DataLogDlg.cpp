#include "logger/DataLogDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "acoustics/NoiseStatistics.h"
#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "files/JobDialog.h"
#include "graph/ChartParent.h"
#include "graph/GraphicsBtn.h"
#include "logger/GroupListModel.h"
#include "logger/GroupStats.h"
#include "logger/LogFileRead.h"

using logfile::Latin1;

CDataLogDlg::CDataLogDlg(QWidget* owner, CRecordStore& logStore)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint),
      m_logStore(logStore)
{
    setModal(false);
    m_form = BuildDataLogForm(this);
    m_pModel = qobject_cast<CGroupListModel*>(m_form.list->model());
    m_pChartParent = new CChartParent(this, m_form.graph, [this] { return &m_selGroup; });
    m_pNoise = new CNoiseStatistics(this, m_form.graph, CNoiseStatistics::ESeries::SelectedGroup);

    connect(m_form.list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnGroupDoubleClicked(index.isValid() ? index.row() : -1); });
    connect(m_form.importData, &QAction::triggered, this, &CDataLogDlg::OnImport);
    connect(m_form.exportExcel, &QAction::triggered, this, &CDataLogDlg::OnExportExcel);
    connect(m_form.exportCsv, &QAction::triggered, this, &CDataLogDlg::OnExportCsv);
    connect(m_form.saveSelected, &QAction::triggered, this, &CDataLogDlg::OnSaveSelected);
    connect(m_form.printGraph, &QAction::triggered, this, &CDataLogDlg::OnPrintGraph);
    connect(m_form.printData, &QAction::triggered, this, &CDataLogDlg::OnPrintData);
    connect(m_form.reportPdf, &QAction::triggered, this, &CDataLogDlg::OnReportPdf);
    connect(m_form.noiseStats, &QAction::triggered, this, &CDataLogDlg::OnNoiseStatistics);
    // While file work runs (here or in the main window), the file commands are grey.
    connect(&sonivel::CJobState::Instance(), &sonivel::CJobState::RunningChanged, this, [this](bool running) {
        for (QAction* a : {m_form.importData, m_form.exportExcel, m_form.exportCsv, m_form.saveSelected,
                           m_form.printGraph, m_form.printData, m_form.reportPdf})
            a->setEnabled(!running);
    });

    ResetChart();
    FillGroupList();
    m_form.graph->Redraw(&m_selGroup, 1);
}

CDataLogDlg::~CDataLogDlg()
{
    // The chart must not keep a pointer into this object's selection.
    m_selGroup.RemoveAll();
    m_form.graph->Redraw(nullptr, 1);
}

const std::vector<sonivel::SGroupRow>& CDataLogDlg::Rows() const
{
    return m_pModel->Rows();
}

void CDataLogDlg::Recreate()
{
    if (isVisible())
        showMinimized();
    m_selGroup.RemoveAll();
    m_pNoise->Reset();
    m_stat = {};
    ClearBoxes();
    m_form.graph->m_bZoomed = false;
    m_form.graph->m_nCursorState = sonivel::kCursorIdle;
    m_form.graph->m_nCursorA = -1;
    m_form.graph->m_nCursorB = -1;
    m_form.graph->m_ptTrack = {};
    ResetChart();
    FillGroupList();
    m_form.graph->Redraw(&m_selGroup, 1);
    m_form.graph->ResetView();
    m_form.list->scrollToTop();
    m_form.list->clearSelection();
    showNormal();
    raise();
    activateWindow();
}

void CDataLogDlg::ResetChart()
{
    sonivel::SetInitialView(*m_form.graph, m_form.graph->width(), m_form.graph->height());
}

void CDataLogDlg::FillGroupList()
{
    m_pModel->SetRows(sonivel::BuildGroupRows(m_logStore));
    // The level statics follow the chart's scale.
    const sonivel::SScaleNotice n = sonivel::MakeScaleNotice(*m_form.graph);
    m_pChartParent->OnScaleNotice(n.wParam, n.lParam);
}

void CDataLogDlg::OnGroupDoubleClicked(int row)
{
    if (row < 0 || row >= m_pModel->rowCount() || sonivel::JobRunning())
        return;
    const int group = m_pModel->index(row, 0).data(CGroupListModel::GroupRole).toInt();
    // The group's records are found and their figures made on a worker (the
    // window keeps answering), then taken over here at once.
    CRecordSelection sel;
    sonivel::CFiguresByWeighting figures;
    sonivel::SGroupStats s;
    sonivel::RunJob(this, QStringLiteral("Reading group %1").arg(group), [&](sonivel::IJobProgress&) {
        sonivel::SelectGroup(m_logStore, group, sel);
        figures = CNoiseStatistics::FiguresOf(sel);
        s = sonivel::ComputeGroupStats(sel);
    });
    m_selGroup = std::move(sel);
    m_pNoise->Fill(m_selGroup, std::move(figures));
    if (m_selGroup.IsEmpty()) {
        // The row outlived its records: nothing to show.
        m_form.graph->Redraw(&m_selGroup, 1);
        return;
    }
    m_stat = s.block;
    ShowStatistics(s.nCount);
    ResetChart();
    m_form.graph->Redraw(&m_selGroup, 1);
}

void CDataLogDlg::ShowStatistics(std::size_t count)
{
    const RTStatistics& s = m_stat.stats;
    SetBox(logid::kAverage, Latin1(sonivel::Format("%.1f", s.dAverage)));
    SetBox(logid::kMaxValue, Latin1(sonivel::Format("%.1f", s.dMax)));
    SetBox(logid::kMaxTime, Latin1(s.strMaxTime));
    SetBox(logid::kMinValue, Latin1(sonivel::Format("%.1f", s.dMin)));
    SetBox(logid::kMinTime, Latin1(s.strMinTime));
    SetBox(logid::kStartTime, Latin1(s.strStartTime));
    SetBox(logid::kCount, QString::number(static_cast<qulonglong>(count)));
    // The list shows the interval but is never changed by the user.
    m_form.rate->setEnabled(true);
    m_form.rate->setCurrentIndex(sonivel::RateEntryIndex(m_stat.dSampleRate));
    m_form.rate->setEnabled(false);
}

void CDataLogDlg::ClearBoxes()
{
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    m_form.rate->setCurrentIndex(-1);
}

void CDataLogDlg::SetBox(int id, const QString& text)
{
    if (auto* box = FindById<QLineEdit>(this, id))
        box->setText(text);
}

void CDataLogDlg::ForgetSelection()
{
    m_selGroup.RemoveAll();
    m_pNoise->Reset();
    m_form.graph->Redraw(&m_selGroup, 1);
}

void CDataLogDlg::SetDownloadActive(bool active)
{
    m_bDownloadActive = active;
    m_form.importData->setEnabled(!active);
}

void CDataLogDlg::CloseWindow()
{
    sonivel::SChartState& g = *m_form.graph;
    g.m_nCursorState = sonivel::kCursorIdle;
    g.m_nCursorA = -1;
    g.m_nCursorB = -1;
    g.m_ptTrack = {};
    // Nothing may point at the records deleted next.
    ForgetSelection();
    m_logStore.RemoveAll();
    m_pModel->SetRows({});
    hide();
}

void CDataLogDlg::closeEvent(QCloseEvent* event)
{
    // Closing empties the logger store, which file work in progress may read.
    if (sonivel::JobRunning()) {
        event->ignore();
        return;
    }
    CloseWindow();
    event->accept();
}

void CDataLogDlg::reject()
{
    // Esc only hides the window: the downloaded groups stay for the next look.
    QDialog::reject();
}

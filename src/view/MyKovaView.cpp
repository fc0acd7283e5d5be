#include "view/MyKovaView.h"

#include <array>
#include <utility>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimerEvent>

#include "acoustics/NoiseStatistics.h"
#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "files/JobDialog.h"
#include "graph/ChartParent.h"
#include "graph/ChartState.h"
#include "graph/ColorSettingCommand.h"
#include "graph/GraphicsBtn.h"
#include "monitor/DataListModel.h"
#include "monitor/MeterPanel.h"
#include "logger/DataLogger.h"
#include "serial/QtComLink.h"
#include "view/UserGuide.h"
#include "view/ViewLayout.h"

CMyKovaView* g_pMainView = nullptr;
CRecordStore* g_pRTDataArray = nullptr;
CRecordStore* g_pLogDataArray = nullptr;

// The command table of the view.
#define VIEW_COMMANDS(X)                                                                                      \
    X(1000, OnUndoZoom) X(32771, OnRun) X(32772, OnStop) X(32773, OnClearData) X(32780, OnDataLogger)        \
    X(32786, OnSave) X(32790, OnOpen) X(32791, OnSetup) X(32785, OnExport) X(32788, OnExit)                  \
    X(32802, OnPrintGraph) X(32796, OnPrintData) X(32799, OnHelp) X(1059, OnShowGraph) X(1060, OnShowList)   \
    X(32815, OnPortManual) X(32816, OnPortAuto) X(32817, OnColorSetting)                                     \
    X(32830, OnExportCsv) X(32831, OnReportPdf) X(32832, OnNoiseStatistics)

bool CMyKovaView::IsViewCommand(int id)
{
#define X(cmd, fn) if (id == (cmd)) return true;
    VIEW_COMMANDS(X)
#undef X
    return false;
}

bool CMyKovaView::RunsBesideJob(int id)
{
    // Looking at the records and the meter: nothing here writes a file,
    // empties or replaces a store, or ends the program.
    for (int safe : {1000, 32772, 32799, 1059, 1060, 32815, 32816, 32817, 32832})
        if (id == safe)
            return true;
    return false;
}

bool CMyKovaView::OnCommand(int id)
{
    if (sonivel::JobRunning() && IsViewCommand(id) && !RunsBesideJob(id))
        return true;   // greyed meanwhile; a shortcut or a test may still ask
#define X(cmd, fn) if (id == (cmd)) { fn(); return true; }
    VIEW_COMMANDS(X)
#undef X
    return false;
}

CMyKovaView::CMyKovaView(QWidget* parent, SViewOptions options)
    : QWidget(parent), m_options(std::move(options)), m_receiver(*this, m_logStore),
      m_run(m_receiver, m_rtStore, m_stats, *this, *this), m_journal(m_options.journalFolder.toStdString()),
      m_keys([this](const std::uint8_t* data, std::size_t count) { return m_pLink->Write(data, count); })
{
    SetResId(this, 101);
    m_pLink = new CQtComLink(this);
    connect(m_pLink, &CQtComLink::ChunkReceived, this, [this](const QByteArray& chunk) {
        OnReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.constData()), static_cast<std::size_t>(chunk.size()));
    });
    m_pKeyTimer = new QTimer(this);
    m_pKeyTimer->setInterval(CKeySender::kTickMs);
    connect(m_pKeyTimer, &QTimer::timeout, this, [this] {
        m_keys.Tick(m_receiver.m_live, KeyClockMs());
        if (m_keys.Active() == 0)
            m_pKeyTimer->stop();
    });
    m_receiver.m_timeLastRx = sonivel::SteadyNow();
    setFont(FormFont());
    resize(FormSize());
    m_form = BuildViewForm(this);
    ApplyViewColours(this);

    // The graph control takes the place of its placeholder.
    m_pGraph = new CGraphicsBtn(this);
    m_pGraph->setGeometry(m_form.graphSlot->geometry());
    m_pGraph->stackUnder(m_form.list);
    delete m_form.graphSlot;
    m_form.graphSlot = m_pGraph;
    SetResId(m_pGraph, 1010);
    m_pChartParent = new CChartParent(this, m_pGraph, [this] { return &m_rtStore; },
                                      CChartParent::SOptions{true});
    m_pNoise = new CNoiseStatistics(this, m_pGraph, CNoiseStatistics::ESeries::MonitoringRun);

    m_pListModel = new CDataListModel(m_rtStore, this);
    m_form.list->setModel(m_pListModel);
    for (int c = 0; c < 4; ++c)
        m_form.list->setColumnWidth(c, CDataListModel::kColumnWidths[c]);

    m_form.panel->SetReading(&m_receiver.m_live);
    connect(m_form.panel, &CMeterPanel::KeyPressed, this, &CMyKovaView::OnKeyCommand);
    connect(m_form.showGraph, &QPushButton::clicked, this, [this] { OnCommand(1059); });
    connect(m_form.showList, &QPushButton::clicked, this, [this] { OnCommand(1060); });
    connect(m_form.rate, &QComboBox::currentIndexChanged, this, &CMyKovaView::SettingsChanged);

    CDataLogger::SHooks hooks;
    hooks.write = [this](const std::uint8_t* data, std::size_t count) { return m_pLink->Write(data, count); };
    hooks.restartTimeout = [this] {
        KillTimer(TIMER_DOWNLOAD);
        SetTimer(TIMER_DOWNLOAD, kDownloadTimeoutMs);
    };
    m_pDataLogger = std::make_unique<CDataLogger>(this, m_receiver, m_logStore, std::move(hooks));

    g_pRTDataArray = &m_rtStore;
    g_pLogDataArray = &m_logStore;
    g_pMainView = this;
}

CMyKovaView::~CMyKovaView()
{
    m_pLink->Close();   // the reader thread ends before anything else goes
    m_pDataLogger.reset();
    if (g_pMainView == this)
        g_pMainView = nullptr;
    if (g_pRTDataArray == &m_rtStore)
        g_pRTDataArray = nullptr;
    if (g_pLogDataArray == &m_logStore)
        g_pLogDataArray = nullptr;
}

void CMyKovaView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_bShownOnce) {
        m_bShownOnce = true;
        FirstShowing();
    }
}

void CMyKovaView::FirstShowing()
{
    Relayout();
    m_receiver.ResetForFirstShowing();
    m_form.rate->setCurrentIndex(m_restored.rateIndex);
    ResetStatistics();
    m_run.m_nRecordLimit = m_restored.recordLimit;
    if (m_restored.listShown)
        OnShowList();
    m_bSettingsApplied = true;
    SetLinkAlive(false);
    sonivel::SetInitialView(*m_pGraph, m_pGraph->width(), m_pGraph->height());
    RedrawGraph(1);
    m_pGraph->ResetView();
    OfferRestore();
    if (m_options.openPort)
        OpenMeterPort();
}

void CMyKovaView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

void CMyKovaView::Relayout()
{
    if (!m_pGraph)
        return;
    const QRect g = m_form.cursorGroup->geometry();
    const sonivel::view::SViewLayout l =
        sonivel::view::LayoutView({g.x(), g.y(), g.width(), g.height()}, width(), height());
    const auto place = [](QWidget* w, const sonivel::view::SRect& r) {
        w->setGeometry(r.x, r.y, r.w, r.h);
        w->raise();
    };
    place(m_form.graphGroup, l.graphGroup);
    m_form.graphGroup->lower();
    place(m_pGraph, l.graph);
    place(m_form.list, l.graph);
    place(m_form.vbar, l.vbar);
    place(m_form.hbar, l.hbar);
    if (m_bShownOnce)
        m_pGraph->ResetView();
}

void CMyKovaView::SetLinkAlive(bool alive)
{
    m_receiver.m_bLinkAlive = alive;
    m_form.panel->SetLinkAlive(alive);
}

// ---- the receive path ------------------------------------------------------

void CMyKovaView::OnReceiveData(const std::uint8_t* data, std::size_t length)
{
    m_receiver.OnReceiveData(data, length);
    m_form.panel->SetLinkAlive(m_receiver.m_bLinkAlive);
}

void CMyKovaView::OnHoldStop()
{
    OnStop();
}

void CMyKovaView::OnDownloadEnded()
{
    m_pDataLogger->OnDownloadEnded();
}

void CMyKovaView::OnProgress(int range, int step, int pos)
{
    m_pDataLogger->OnProgress(range, step, pos);
}

void CMyKovaView::OnPanelRepaint()
{
    m_form.panel->SetLinkAlive(m_receiver.m_bLinkAlive);
    m_form.panel->update();
}

// ---- form commands -----------------------------------------------------------

void CMyKovaView::OnUndoZoom()
{
    m_pGraph->ResetView();
}

void CMyKovaView::OnShowList()
{
    if (m_bListShown)
        return;
    m_form.list->show();
    m_form.list->scrollToBottom();
    m_pGraph->hide();
    m_form.vbar->hide();
    m_form.hbar->hide();
    m_bListShown = true;
    emit SettingsChanged();
}

void CMyKovaView::OnShowGraph()
{
    if (!m_bListShown)
        return;
    m_pGraph->show();
    m_form.vbar->show();
    m_form.hbar->show();
    m_form.list->hide();
    m_bListShown = false;
    emit SettingsChanged();
}

void CMyKovaView::OnExit()
{
    if (QWidget* frame = window(); frame && frame != this)
        frame->close();
}

void CMyKovaView::OnHelp()
{
    OpenUserGuide(this, UserGuidePlaces(QCoreApplication::applicationDirPath()));
}

void CMyKovaView::OnColorSetting()
{
    RunColorSetting(this, *m_pGraph);
}

void CMyKovaView::OnNoiseStatistics()
{
    m_pNoise->ShowWindow();
}

void CMyKovaView::RedrawGraph(int flag)
{
    m_pGraph->Redraw(&m_rtStore, flag);
}

void CMyKovaView::SetField(int id, const QString& text)
{
    if (auto* field = FindById<QLineEdit>(this, id))
        field->setText(text);
}

void CMyKovaView::timerEvent(QTimerEvent* event)
{
    for (int id = TIMER_REOPEN; id <= TIMER_DOWNLOAD; ++id) {
        if (m_timers[id].timerId() == event->timerId()) {
            m_run.OnTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}

void CMyKovaView::SetTimer(int id, int periodMs)
{
    if (id >= TIMER_REOPEN && id <= TIMER_DOWNLOAD)
        m_timers[id].start(periodMs, this);
}

void CMyKovaView::KillTimer(int id)
{
    if (id >= TIMER_REOPEN && id <= TIMER_DOWNLOAD)
        m_timers[id].stop();
}

bool CMyKovaView::IsTimerActive(int id) const
{
    return id >= TIMER_REOPEN && id <= TIMER_DOWNLOAD && m_timers[id].isActive();
}

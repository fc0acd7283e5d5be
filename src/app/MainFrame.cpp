#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/AboutDlg.h"
#include "app/KeyLocks.h"
#include "app/MenuTable.h"
#include "dialogs/Dialogs.h"
#include "files/JobDialog.h"
#include "res/Artwork.h"
#include "serial/QtComLink.h"
#include "settings/SettingsFile.h"

CMainFrame::CMainFrame(SViewOptions options, QWidget* parent) : QMainWindow(parent)
{
    g_pMainView = nullptr;   // set by the view once it exists
    setWindowTitle(QStringLiteral("Sonivel"));
    setWindowIcon(AppIcon());
    m_pView = new CMyKovaView(this, std::move(options));
    setCentralWidget(m_pView);
    BuildMenu();
    BuildToolBar();
    BuildStatusBar();
    WatchDevices();
    connect(m_pView, &CMyKovaView::RunStateChanged, this, &CMainFrame::UpdateRunState);
    connect(m_pView, &CMyKovaView::PortModeChanged, this, &CMainFrame::UpdatePortMode);
    connect(&sonivel::CJobState::Instance(), &sonivel::CJobState::RunningChanged, this, [this](bool running) {
        m_bJobRunning = running;
        UpdateRunState(m_bRunActive);
    });
    UpdateRunState(false);
    UpdatePortMode(true);
    RestoreSettings();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(int id) const
{
    return FindById<QAction>(this, id);
}

void CMainFrame::BuildMenu()
{
    QMenu* popup = nullptr;
    const char* popupText = nullptr;
    auto* portGroup = new QActionGroup(this);
    for (const SMenuEntry& e : kMainMenu) {
        if (!e.popup) {
            popup = nullptr;
            popupText = nullptr;
        } else if (!popupText || qstrcmp(popupText, e.popup) != 0) {
            popup = menuBar()->addMenu(QString::fromLatin1(e.popup));
            popupText = e.popup;
        }
        if (e.id == 0) {
            popup->addSeparator();
            continue;
        }
        auto* action = new QAction(QString::fromLatin1(e.text), this);
        SetResId(action, e.id);
        action->setStatusTip(QString::fromLatin1(CommandPrompt(e.id)));
        if (popup)
            popup->addAction(action);
        else
            menuBar()->addAction(action);

        if (CMyKovaView::IsViewCommand(e.id)) {
            const int id = e.id;
            connect(action, &QAction::triggered, this, [this, id] { m_pView->OnCommand(id); });
        }
        if (e.id == 32815 || e.id == 32816) {
            action->setCheckable(true);
            portGroup->addAction(action);
        }
    }
    // Ctrl+O and Ctrl+S reach the view's Open and Save.
    Action(32790)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Action(32786)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(Action(kIdAbout), &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::BuildToolBar()
{
    m_pToolBar = addToolBar(QStringLiteral("ToolBar"));
    m_pToolBar->setObjectName(QStringLiteral("toolbar128"));
    m_pToolBar->setIconSize(QSize(17, 15));
    m_pToolBar->setMovable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : kToolbarButtons) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        action->setIcon(QIcon(QPixmap::fromImage(ToolbarImage(id))));
        m_pToolBar->addAction(action);
    }
    // Tooltips: the command's name without its mnemonic and shortcut.
    for (QAction* a : m_pToolBar->actions())
        if (!a->isSeparator())
            a->setToolTip(QString::fromLatin1(CommandPrompt(ResId(a))));

    QAction* toggle = Action(kIdToolBar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_pToolBar, &QToolBar::setVisible);
    connect(m_pToolBar, &QToolBar::visibilityChanged, toggle, [this, toggle](bool) {
        // visibilityChanged also fires while the window is hidden; follow the bar's own state.
        toggle->setChecked(!m_pToolBar->isHidden());
    });
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pReady = new QLabel(QStringLiteral("Ready"), bar);
    bar->addWidget(m_pReady, 1);
    static const char* const kLockTexts[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        m_pLocks[i] = new QLabel(QString::fromLatin1(kLockTexts[i]), bar);
        m_pLocks[i]->setFrameShape(QFrame::Panel);
        m_pLocks[i]->setFrameShadow(QFrame::Sunken);
        m_pLocks[i]->setAlignment(Qt::AlignCenter);
        m_pLocks[i]->setMinimumWidth(m_pLocks[i]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar->addPermanentWidget(m_pLocks[i]);
    }
    UpdateKeyLocks();
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &CMainFrame::UpdateKeyLocks);
    poll->start(250);

    QAction* toggle = Action(kIdStatusBar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QStatusBar::setVisible);
}

void CMainFrame::UpdateKeyLocks()
{
    const SKeyLocks locks = ReadKeyLocks();
    const bool on[3] = {locks.caps, locks.num, locks.scroll};
    // An indicator is drawn greyed while its lock is off or cannot be read.
    for (int i = 0; i < 3; ++i)
        m_pLocks[i]->setEnabled(locks.known && on[i]);
}

void CMainFrame::WatchDevices()
{
    // Device nodes appear in and vanish from /dev when a device is plugged in or out.
    auto* watcher = new CDeviceWatcher(QStringLiteral("/dev"), 300, this);
    connect(watcher, &CDeviceWatcher::DevicesChanged, this, &CMainFrame::OnDeviceChange);
}

void CMainFrame::OnDeviceChange()
{
    if (g_pMainView)
        g_pMainView->OnDeviceChange();
}

void CMainFrame::UpdateRunState(bool running)
{
    m_bRunActive = running;
    // While file work runs, the commands that would conflict with it are grey.
    for (const SMenuEntry& e : kMainMenu)
        if (e.id != 0 && CMyKovaView::IsViewCommand(e.id))
            Action(e.id)->setEnabled(!m_bJobRunning || CMyKovaView::RunsBesideJob(e.id));
    for (int id : {32771, 32773, 32791})
        Action(id)->setEnabled(!running && !m_bJobRunning);
    Action(32772)->setEnabled(running);
}

void CMainFrame::UpdatePortMode(bool automatic)
{
    Action(32816)->setChecked(automatic);
    Action(32815)->setChecked(!automatic);
}

void CMainFrame::RestoreSettings()
{
    const sonivel::SAppSettings saved = settingsfile::ReadAppSettings();
    m_pView->RestoreSettings(saved);
    const QVariant geometry = settingsfile::Read(QStringLiteral("Window/Geometry"));
    m_bGeometryRestored = geometry.typeId() == QMetaType::QByteArray && restoreGeometry(geometry.toByteArray());
    if (const QVariant state = settingsfile::Read(QStringLiteral("Window/State")); state.typeId() == QMetaType::QByteArray)
        restoreState(state.toByteArray());
    Action(kIdToolBar)->setChecked(saved.toolBar);
    m_pToolBar->setVisible(saved.toolBar);
    Action(kIdStatusBar)->setChecked(saved.statusBar);
    m_saved = CurrentSettings();
    // Written as they change; a run's start follows Setup's values.
    connect(m_pView, &CMyKovaView::SettingsChanged, this, &CMainFrame::SaveChangedSettings);
    connect(m_pView, &CMyKovaView::RunStateChanged, this, &CMainFrame::SaveChangedSettings);
    connect(Action(kIdToolBar), &QAction::toggled, this, &CMainFrame::SaveChangedSettings);
    connect(Action(kIdStatusBar), &QAction::toggled, this, &CMainFrame::SaveChangedSettings);
}

sonivel::SAppSettings CMainFrame::CurrentSettings() const
{
    sonivel::SAppSettings s = m_pView->Settings();
    s.toolBar = Action(kIdToolBar)->isChecked();
    s.statusBar = Action(kIdStatusBar)->isChecked();
    return s;
}

void CMainFrame::SaveChangedSettings()
{
    if (CurrentSettings() == m_saved)
        return;
    m_saved = CurrentSettings();
    settingsfile::Write(settingsfile::Values(m_saved));
}

void CMainFrame::SaveSettings()
{
    m_saved = CurrentSettings();
    QList<QPair<QString, QVariant>> values = settingsfile::Values(m_saved);
    values.append({QStringLiteral("Window/Geometry"), saveGeometry()});
    values.append({QStringLiteral("Window/State"), saveState()});
    settingsfile::Write(values);
}

void CMainFrame::OnAbout()
{
    CAboutDlg about(this);
    Dialogs().Exec(about);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // The file work in progress reads the records: it ends (or is
    // cancelled in its progress dialog) before the window can close.
    if (sonivel::JobRunning()) {
        event->ignore();
        return;
    }
    if (m_pView->HoldsRecords() &&
        !Dialogs().AskOkCancel(this, QStringLiteral("Close Window?"), QStringLiteral("Tip"))) {
        event->ignore();
        return;
    }
    m_pView->DiscardJournal();
    SaveSettings();
    event->accept();
}

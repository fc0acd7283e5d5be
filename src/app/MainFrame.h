#pragma once
#include <QMainWindow>

#include "view/MyKovaView.h"

class QAction;
class QLabel;
class QToolBar;

// The main window: menu 128, toolbar 128, the status bar with its prompts and
// lock indicators, the main view as its client, the close confirmation and
// the relay of device changes to the view.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(SViewOptions options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMyKovaView* View() const { return m_pView; }
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }

    // The window's settings: geometry and state, the tool and status bar
    // switches and the view's (see CMyKovaView::Settings), read back in the
    // constructor. GeometryRestored tells whether a stored geometry was
    // applied (else the window is shown maximised). SaveSettings writes them
    // all (on close and when a signal ends the program); a change of the
    // view's settings or of a switch is written as it happens.
    bool GeometryRestored() const { return m_bGeometryRestored; }
    void SaveSettings();

    // A device was added or removed: tell the view.
    void OnDeviceChange();
    void OnAbout();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void WatchDevices();
    void UpdateRunState(bool running);
    void UpdatePortMode(bool automatic);
    void UpdateKeyLocks();
    void RestoreSettings();
    sonivel::SAppSettings CurrentSettings() const;
    void SaveChangedSettings();

    CMyKovaView* m_pView = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pReady = nullptr;
    QLabel* m_pLocks[3] = {};
    bool m_bGeometryRestored = false;
    sonivel::SAppSettings m_saved;   // as last written
    bool m_bRunActive = false;
    bool m_bJobRunning = false;   // file work in progress (sonivel::JobRunning)
};

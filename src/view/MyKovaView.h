#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include <QBasicTimer>
#include <QString>
#include <QWidget>

#include "files/PrintRX.h"
#include "monitor/MonitorRun.h"
#include "records/RecordList.h"
#include "monitor/RunJournal.h"
#include "monitor/Statistics.h"
#include "protocol/KeySender.h"
#include "protocol/Receiver.h"
#include "settings/AppSettings.h"
#include "view/ViewForm.h"

class CChartParent;
class CNoiseStatistics;
class CDataLogger;
class CQtComLink;
class QTimer;
class CDataListModel;
class CGraphicsBtn;
class QLineEdit;

// How the view starts; tests and the integration set the port to use.
struct SViewOptions {
    // A device to open at the first showing instead of searching for the
    // meter (empty: automatic search).
    QString portPath;
    // Runs the port search and opens the port at the first showing.
    bool openPort = true;
    // The folder of the monitoring run's journal (see CRunJournal); empty:
    // runs keep no journal and nothing is offered for restoring.
    QString journalFolder {};
};

// The main view: the form of the main window. Owns the two record stores, the
// receive path and the live reading, the meter strip, the graph and the data
// list, and handles every command of the main menu but About and the
// tool/status bar switches.
class CMyKovaView : public QWidget, public IReceiverHost, private IRunTimers, private IRunHost {
    Q_OBJECT
public:
    explicit CMyKovaView(QWidget* parent = nullptr, SViewOptions options = {});
    ~CMyKovaView() override;

    // Runs the command with this id; false when the view has none of that id.
    bool OnCommand(int id);
    static bool IsViewCommand(int id);
    // Whether the command may run while file work is in progress (see
    // sonivel::JobRunning); the others are refused meanwhile.
    static bool RunsBesideJob(int id);

    // The form's size (545 x 365 dialog units).
    QSize sizeHint() const override { return FormSize(); }

    // A device was added or removed (the main frame relays it).
    void OnDeviceChange();
    // Bytes from the meter, on the user-interface thread.
    void OnReceiveData(const std::uint8_t* data, std::size_t length);
    // A meter key was pressed on the panel (key number 0..5).
    void OnKeyCommand(int key);
    // Reads the data text file at path as File > Open does with the file
    // chosen in its dialog (the file named on the command line).
    void OpenDataFile(const QString& path);

    // The user closed the window (with OK when records were held): the
    // records are decided and the run's journal goes.
    void DiscardJournal() { m_journal.Remove(); }
    // The program ends without the user's decision (a signal): the run's
    // journal stays for the next start, whatever is answered afterwards.
    void KeepJournal() { m_journal.Keep(); }

    CRecordStore& RTStore() { return m_rtStore; }
    CRecordStore& LogStore() { return m_logStore; }
    bool HoldsRecords() const { return !m_rtStore.IsEmpty() || !m_logStore.IsEmpty(); }
    bool IsRunActive() const { return m_run.IsRunning(); }
    bool IsLinkAlive() const { return m_receiver.m_bLinkAlive; }
    bool IsListShown() const { return m_bListShown; }
    bool IsAutoPort() const { return m_bAutoPort; }
    int RecordLimit() const { return m_run.m_nRecordLimit; }
    double SampleInterval() const { return m_run.Interval(); }
    const CRunningStats& Statistics() const { return m_stats; }
    const SLiveReading& Live() const { return m_receiver.m_live; }
    const SViewForm& Form() const { return m_form; }
    CGraphicsBtn* Graph() const { return m_pGraph; }

    // The settings of the view that outlive the program: the sampling
    // interval, the record limit, Graph or Data List, the port mode and the
    // manual port (the tool and status bar switches are the frame's). Restore
    // before the first showing, which then uses them; SettingsChanged tells
    // when one changes.
    void RestoreSettings(const sonivel::SAppSettings& settings);
    sonivel::SAppSettings Settings() const;

    // The run's timers 1 to 4, as they fire.
    void OnRunTimer(int id) { m_run.OnTimer(id); }
    bool IsTimerActive(int id) const;

signals:
    // A monitoring run started or ended: the frame greys its menu entries.
    void RunStateChanged(bool running);
    // The port mode changed: the frame moves its radio mark.
    void PortModeChanged(bool automatic);
    // A setting of Settings() changed.
    void SettingsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // IReceiverHost
    void OnHoldStop() override;
    void OnDownloadEnded() override;   // also IRunHost's
    void OnProgress(int range, int step, int pos) override;
    void OnPanelRepaint() override;
    // IRunTimers
    void SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    // IRunHost
    bool AskSaveCurrentData() override;
    void OnStoreCleared() override;
    void OnRunStarted() override;
    void OnRunStopped() override;
    void OnRecordAdded(const CObjData& record, std::size_t count) override;
    void OnLinkLost() override;
    void OnDownloadFailed() override;
    void ReopenPort() override;

    void FirstShowing();
    // At the first showing, before anything else: offers to restore the run
    // a journal holds (Yes puts it back, No deletes the journal).
    void OfferRestore();
    void Relayout();
    void SetLinkAlive(bool alive);

    // Commands.
    void OnRun();
    void OnStop();
    void OnClearData();
    void OnSetup();
    void OnDataLogger();
    void OnSave();
    // Save: asks for the file and writes the monitoring store; true only when
    // the file was written (a failure is reported naming the file).
    bool SaveRunData();
    void OnOpen();
    void OnExport();
    void OnExportCsv();
    void OnReportPdf();
    void OnExit();
    void OnPrintGraph();
    void OnPrintData();
    void OnHelp();
    void OnShowGraph();
    void OnShowList();
    void OnPortManual();
    void OnPortAuto();
    void OnColorSetting();
    void OnUndoZoom();
    void OnNoiseStatistics();

    // Monitoring run pieces.
    void ResetStatistics();
    SStatBlock StatBlock() const;
    void ShowStatistics();
    void SetField(int id, const QString& text);
    void RedrawGraph(int flag);
    void OpenMeterPort();
    void OpenPortPath(const std::string& path);
    std::string SearchMeterPort() const;
    static std::int64_t KeyClockMs();   // the steady clock of the key repetition

    SViewOptions m_options;
    CQtComLink* m_pLink = nullptr;
    std::string m_strPortPath;     // the device found by the last search
    std::string m_strManualPort;   // the device chosen with Com Port > Manual
    sonivel::SAppSettings m_restored;   // applied at the first showing
    bool m_bSettingsApplied = false;    // ... once it has applied all of them
    CRecordStore m_rtStore;
    CRecordStore m_logStore;
    CReceiver m_receiver;
    CRunningStats m_stats;
    CMonitorRun m_run;
    CRunJournal m_journal;
    bool m_bJournalReported = false;   // this run's journal failure was shown
    CKeySender m_keys;
    QTimer* m_pKeyTimer = nullptr;
    CPrintRX m_print;
    int m_nKeyCode = 0;
    bool m_bAutoPort = true;
    bool m_bListShown = false;
    bool m_bShownOnce = false;

    SViewForm m_form;
    CGraphicsBtn* m_pGraph = nullptr;
    CChartParent* m_pChartParent = nullptr;
    CDataListModel* m_pListModel = nullptr;
    // The noise figures of the run and between the cursors, and their window.
    CNoiseStatistics* m_pNoise = nullptr;

    // Timers 1 (reopen), 2 (link watchdog), 3 (sampling), 4 (download time-out).
    QBasicTimer m_timers[5];
    // The DataLogger and Open commands, the download and the data-logger window.
    std::unique_ptr<CDataLogger> m_pDataLogger;
};

// The main view while it exists, for the frame's relays.
extern CMyKovaView* g_pMainView;
// The monitoring store and the logger store of the main view.
extern CRecordStore* g_pRTDataArray;
extern CRecordStore* g_pLogDataArray;

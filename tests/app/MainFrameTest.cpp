#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <gtest/gtest.h>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "common/Clock.h"
#include "logger/DataLogDlg.h"
#include "monitor/MonitorRun.h"
#include "protocol/LoggerDecoder.h"
#include "support/LocalMoment.h"
#include "support/ScriptedDialogs.h"

using testsupport::CScriptedDialogs;

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() : frame(SViewOptions{QString(), false})
    {
        frame.show();
        QApplication::processEvents();
    }
    bool Enabled(int id) { return frame.Action(id)->isEnabled(); }
    void LinkAlive()
    {
        const std::uint8_t byte = 0;
        frame.View()->OnReceiveData(&byte, 1);
    }
    void AddRecord()
    {
        frame.View()->RTStore().Add(CObjData(61.5, "07-12-2026,05:09:03", "dBA", 0, 0.5));
    }

    CScriptedDialogs dialogs;
    CMainFrame frame;
};

TEST_F(MainFrameTest, MenuBarHoldsEveryEntryWithItsTextAndCommand)
{
    QStringList bar;
    for (QAction* a : frame.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"File(&F)", "Real Time(&R)", "DataLogger(&D)", "Com Port(&C)", "View(&V)",
                                "Help(&H)"}));
    EXPECT_EQ(ResId(frame.menuBar()->actions()[2]), 32780);

    // Entries in order, popup by popup, with their ids.
    QStringList entries;
    for (QAction* top : frame.menuBar()->actions()) {
        if (!top->menu())
            continue;
        for (QAction* a : top->menu()->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text() + "=" + QString::number(ResId(a)));
    }
    EXPECT_EQ(entries, (QStringList{"Open\tCtrl+O(&O)=32790", "Save as \tCtrl+S(&S)=32786",
                                    "Export To Excel(&E)=32785", "Export CSV(&V)=32830", "Report PDF(&R)=32831",
                                    "Print Graph(&G)=32802", "Print Data(&D)=32796", "-",
                                    "Exit(&X)=32788", "Run(&R)=32771", "Stop(&S)=32772", "Clear Data(C)=32773",
                                    "Setup(&U)=32791", "Noise Statistics(&N)=32832", "Manual(&M)=32815", "Auto(&A)=32816",
                                    "ToolBar(&T)=59392", "StatusBar(&S)=59393", "Color Setting=32817",
                                    "Contents(&C)=32799", "About(&A)=57664"}));
    EXPECT_EQ(frame.Action(32771)->statusTip(), "Run Real Time Monitoring");
    EXPECT_EQ(frame.Action(32791)->statusTip(), "Setting Real Time Parameter");
    EXPECT_EQ(frame.Action(32830)->statusTip(), "Export Data as CSV");
    EXPECT_EQ(frame.windowTitle(), "Sonivel");
}

TEST_F(MainFrameTest, ToolbarButtonsInOrderWithTheirImages)
{
    QStringList order;
    for (QAction* a : frame.ToolBar()->actions()) {
        order << (a->isSeparator() ? QStringLiteral("gap") : QString::number(ResId(a)));
        if (!a->isSeparator()) {
            EXPECT_EQ(a->icon().availableSizes().value(0), QSize(17, 15)) << ResId(a);
        }
    }
    EXPECT_EQ(order, (QStringList{"32790", "gap", "32786", "32785", "32771", "32772", "gap", "32802", "57664"}));
}

TEST_F(MainFrameTest, RunGreysRunClearSetupAndOnlyEnablesStopWhileRunning)
{
    EXPECT_TRUE(Enabled(32771) && Enabled(32773) && Enabled(32791));
    EXPECT_FALSE(Enabled(32772));
    LinkAlive();
    frame.Action(32771)->trigger();
    ASSERT_TRUE(frame.View()->IsRunActive());
    EXPECT_FALSE(Enabled(32771) || Enabled(32773) || Enabled(32791));
    EXPECT_TRUE(Enabled(32772));
    frame.View()->OnRunTimer(TIMER_SAMPLE);
    frame.Action(32772)->trigger();
    EXPECT_TRUE(Enabled(32771) && Enabled(32773) && Enabled(32791));
    EXPECT_FALSE(Enabled(32772));
}

TEST_F(MainFrameTest, PortModeRadioFollowsTheCommands)
{
    EXPECT_TRUE(frame.Action(32816)->isChecked());
    EXPECT_FALSE(frame.Action(32815)->isChecked());
    frame.Action(32815)->trigger();   // Manual: the port dialog, cancelled
    EXPECT_EQ(dialogs.execTitles, QStringList{"Port"});
    EXPECT_FALSE(frame.View()->IsAutoPort());
    EXPECT_TRUE(frame.Action(32815)->isChecked());
    EXPECT_FALSE(frame.Action(32816)->isChecked());
}

TEST_F(MainFrameTest, ClosingAsksOnlyWhenAStoreHoldsRecords)
{
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(dialogs.questions.isEmpty());

    frame.show();
    AddRecord();
    dialogs.answerOk = false;
    frame.Action(32788)->trigger();   // Exit goes through the same question
    EXPECT_EQ(dialogs.questions, QStringList{"Tip: Close Window?"});
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.View()->RTStore().GetSize(), 1u);

    frame.View()->RTStore().RemoveAll();
    frame.View()->LogStore().Add(CObjData(40.0, "07-12-2026,5:09:03", "dBC", 1, 1.0));
    dialogs.answerOk = true;
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(dialogs.questions.size(), 2);
}

TEST_F(MainFrameTest, ViewMenuTogglesToolBarAndStatusBarAndStatusBarShowsReady)
{
    frame.Action(kIdToolBar)->trigger();
    EXPECT_TRUE(frame.ToolBar()->isHidden());
    frame.Action(kIdToolBar)->trigger();
    EXPECT_FALSE(frame.ToolBar()->isHidden());
    frame.Action(kIdStatusBar)->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    frame.Action(kIdStatusBar)->trigger();

    QStringList labels;
    for (QLabel* l : frame.statusBar()->findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("Ready"));
    EXPECT_TRUE(labels.contains("CAP") && labels.contains("NUM") && labels.contains("SCRL"));
}

TEST_F(MainFrameTest, DeviceChangesReachTheViewOnlyInAutomaticMode)
{
    ASSERT_EQ(g_pMainView, frame.View());
    qputenv("SONIVEL_PORT", "/dev/null-meter");
    frame.OnDeviceChange();
    EXPECT_TRUE(frame.View()->IsTimerActive(TIMER_REOPEN));
    frame.View()->OnRunTimer(TIMER_REOPEN);   // the port cannot be opened: reported, watchdog armed
    EXPECT_FALSE(frame.View()->IsTimerActive(TIMER_REOPEN));
    EXPECT_TRUE(frame.View()->IsTimerActive(TIMER_WATCHDOG));
    EXPECT_EQ(dialogs.messages.size(), 1);

    frame.Action(32815)->trigger();
    frame.OnDeviceChange();
    EXPECT_FALSE(frame.View()->IsTimerActive(TIMER_REOPEN));
    qunsetenv("SONIVEL_PORT");
}

TEST_F(MainFrameTest, AboutBoxShowsTheVersion)
{
    frame.Action(kIdAbout)->trigger();
    EXPECT_EQ(dialogs.execTitles, QStringList{"About"});
    CAboutDlg about;
    QStringList texts;
    for (QLabel* l : about.findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains("Version 3.4"));
}

// The Berlin zone (UTC+1 in December) and the PC clock as a test sets it, for
// the object's lifetime.
class CBerlinClock {
public:
    CBerlinClock()
    {
        if (const char* tz = std::getenv("TZ"))
            m_oldTz = tz;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    ~CBerlinClock()
    {
        sonivel::SetClock({});
        if (m_oldTz)
            setenv("TZ", m_oldTz->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void Set(std::time_t seconds, int milli)
    {
        sonivel::SetClockMs([=] { return sonivel::SPcTime{seconds, milli}; });
    }

private:
    std::optional<std::string> m_oldTz;
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Export CSV of each window through its menu: the records of a monitoring run
// carry the PC clock's milliseconds while their data text file keeps whole
// seconds; a downloaded group runs from its header's time by its interval. A
// folder that does not exist gets a message naming the file, and nothing is
// left behind.
TEST_F(MainFrameTest, ExportCsvOfEachWindowWritesItsRecordsToTheMillisecond)
{
    CBerlinClock clock;
    CRecordStore logStore;
    std::unique_ptr<CDataLogDlg> logWindow;
    struct SCase {
        const char* window;
        std::function<QObject*()> fill;   // takes the window's records, gives the window
        int exportCsv, save;              // its commands
        const char* csv;
        const char* txt;
    };
    const SCase cases[] = {
        {"main window",
         [&]() -> QObject* {
             LinkAlive();
             frame.Action(32771)->trigger();   // Run, every 0.5 s
             for (const auto& [second, milli] : {std::pair{19, 500}, {20, 0}, {20, 500}}) {
                 clock.Set(testsupport::LocalMoment(2026, 12, 8, 11, 1, second), milli);
                 frame.View()->OnRunTimer(TIMER_SAMPLE);
             }
             frame.Action(32772)->trigger();
             return &frame;
         },
         32830, 32786,
         "time,level_db,weighting,local_time\r\n"
         "2026-12-08T11:01:19.500+01:00,50.00,A,2026-12-08T11:01:19.500\r\n"
         "2026-12-08T11:01:20.000+01:00,50.00,A,2026-12-08T11:01:20.000\r\n"
         "2026-12-08T11:01:20.500+01:00,50.00,A,2026-12-08T11:01:20.500\r\n",
         "DECIVOX DATA LOGGER SamplingRate:0.5;\r\n"
         "08-12-2026,11:01:19, 50.00, dBA\r\n"
         "08-12-2026,11:01:20, 50.00, dBA\r\n"
         "08-12-2026,11:01:20, 50.00, dBA\r\n"},
        {"data-logger window",
         [&]() -> QObject* {
             // One group in dBC from 08-12-2026 23:59:58 every 2 s (hour byte
             // "31": flags 10 and 12 plus 1).
             CLoggerDecoder decoder;
             decoder.DecodeLoggerText("cc26120831595802ac063507000452dd", logStore);
             logWindow = std::make_unique<CDataLogDlg>(nullptr, logStore);
             logWindow->OnGroupDoubleClicked(0);
             return logWindow.get();
         },
         32833, 32793,
         "time,level_db,weighting,local_time\r\n"
         "2026-12-08T23:59:58.000+01:00,63.50,C,2026-12-08T23:59:58.000\r\n"
         "2026-12-09T00:00:00.000+01:00,70.00,C,2026-12-09T00:00:00.000\r\n"
         "2026-12-09T00:00:02.000+01:00,45.20,C,2026-12-09T00:00:02.000\r\n",
         "DECIVOX DATA LOGGER SamplingRate:2.0;\r\n"
         "08-12-2026,23:59:58, 63.50, dBC\r\n"
         "09-12-2026,0:00:00, 70.00, dBC\r\n"
         "09-12-2026,0:00:02, 45.20, dBC\r\n"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.window);
        QTemporaryDir dir;
        QObject* window = c.fill();
        QAction* exportCsv = FindById<QAction>(window, c.exportCsv);
        ASSERT_NE(exportCsv, nullptr);
        dialogs.saveAsked.clear();
        dialogs.saveAnswers << dir.filePath("levels.csv") << dir.filePath("levels.txt")
                            << dir.filePath("missing/levels.csv") << QString();
        exportCsv->trigger();
        FindById<QAction>(window, c.save)->trigger();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
        EXPECT_EQ(dialogs.saveAsked.value(0), "2026-12-8 11-1.csv|csv|CSV files (*.csv)");
        EXPECT_EQ(ReadAll(dir.filePath("levels.csv")).toStdString(), c.csv);
        EXPECT_EQ(ReadAll(dir.filePath("levels.txt")).toStdString(), c.txt);

        exportCsv->trigger();   // into a folder that does not exist
        exportCsv->trigger();   // Cancel
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].startsWith("ERROR: ")) << dialogs.messages[0].toStdString();
        EXPECT_TRUE(dialogs.messages[0].contains("missing/levels.csv")) << dialogs.messages[0].toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{"levels.csv", "levels.txt"}));
        EXPECT_EQ(dialogs.saveAsked.size(), 4);
        dialogs.messages.clear();
    }
}

} // namespace

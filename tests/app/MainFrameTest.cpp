#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "monitor/MonitorRun.h"
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
        frame.View()->RTStore().Add(std::make_unique<CObjData>(61.5, "07-12-2026,05:09:03", "dBA", 0, 0.5));
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
                                    "Export To Excel(&E)=32785", "Print Graph(&G)=32802", "Print Data(&D)=32796", "-",
                                    "Exit(&X)=32788", "Run(&R)=32771", "Stop(&S)=32772", "Clear Data(C)=32773",
                                    "Setup(&U)=32791", "Noise Statistics(&N)=32832", "Manual(&M)=32815", "Auto(&A)=32816",
                                    "ToolBar(&T)=59392", "StatusBar(&S)=59393", "Color Setting=32817",
                                    "Contents(&C)=32799", "About(&A)=57664"}));
    EXPECT_EQ(frame.Action(32771)->statusTip(), "Run Real Time Monitoring");
    EXPECT_EQ(frame.Action(32791)->statusTip(), "Setting Real Time Parameter");
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
    frame.View()->LogStore().Add(std::make_unique<CObjData>(40.0, "07-12-2026,5:09:03", "dBC", 1, 1.0));
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

} // namespace

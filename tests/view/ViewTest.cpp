#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "common/Clock.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MonitorRun.h"
#include "view/MyKovaView.h"
#include "support/ScriptedDialogs.h"

using testsupport::CScriptedDialogs;

namespace {

class ViewTest : public ::testing::Test {
protected:
    ViewTest() : view(nullptr, SViewOptions{QString(), false})
    {
        view.resize(1000, 700);
        view.show();
        QApplication::processEvents();
    }
    ~ViewTest() override { sonivel::SetClock({}); }

    // Any chunk from the meter marks the link alive.
    void LinkAlive()
    {
        const std::uint8_t byte = 0x00;
        view.OnReceiveData(&byte, 1);
    }
    QString Field(int id) { return FindById<QLineEdit>(&view, id)->text(); }
    QWidget* W(int id) { return FindById<QWidget>(&view, id); }
    void Click(int id) { QTest::mouseClick(FindById<QPushButton>(&view, id), Qt::LeftButton); }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            view.OnRunTimer(TIMER_SAMPLE);
    }

    CScriptedDialogs dialogs;
    CMyKovaView view;
};

TEST_F(ViewTest, FormHoldsEveryControlWithItsTextAndFirstState)
{
    for (int id : {1010, 1039, 1038, 1049, 1050, 1051, 1052, 1053, 1054, 1058, 1061, 1037, 1000, 1059, 1060,
                   1001, 1002, 1003, 1008, 1006, 1005, 1009, 1007, 1004, 1011, 1023, 1024, 1025, 1026, 1027,
                   1028, 1029, 1032, 1030, 1031, 1033, 1034})
        EXPECT_NE(W(id), nullptr) << id;
    for (int id = 1012; id <= 1022; ++id)
        EXPECT_TRUE(W(id) && W(id)->isHidden()) << id;
    EXPECT_EQ(FindById<QGroupBox>(&view, 1058)->title(), "Real Time Graph");
    EXPECT_EQ(FindById<QGroupBox>(&view, 1061)->title(), "Cursor");
    EXPECT_EQ(FindById<QLabel>(&view, 1030)->text(), "CursorA");
    EXPECT_EQ(FindById<QPushButton>(&view, 1000)->text(), "UnDo Zoom");
    EXPECT_EQ(FindById<QPushButton>(&view, 1060)->text(), "Data List");

    auto* rate = FindById<QComboBox>(&view, 1007);
    QStringList texts;
    for (int i = 0; i < rate->count(); ++i)
        texts << rate->itemText(i);
    EXPECT_EQ(texts, (QStringList{"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5", "10"}));
    EXPECT_EQ(rate->currentIndex(), 2);
    EXPECT_TRUE(W(1037)->isHidden());
    EXPECT_TRUE(W(1010)->isVisible());
    EXPECT_EQ(qobject_cast<CGraphicsBtn*>(W(1010)), view.Graph());
    EXPECT_EQ(view.RecordLimit(), 40000);
    EXPECT_FALSE(view.IsLinkAlive());
}

TEST_F(ViewTest, GraphAndDataListShareOnePlaceAndSwitch)
{
    EXPECT_EQ(W(1037)->geometry(), W(1010)->geometry());
    Click(1060);
    Click(1060);   // twice: the list stays
    EXPECT_TRUE(view.IsListShown());
    EXPECT_TRUE(W(1037)->isVisible());
    EXPECT_TRUE(W(1010)->isHidden() && W(1039)->isHidden() && W(1038)->isHidden());
    Click(1059);
    EXPECT_FALSE(view.IsListShown());
    EXPECT_TRUE(W(1010)->isVisible() && W(1039)->isVisible() && W(1038)->isVisible());
    EXPECT_TRUE(W(1037)->isHidden());
}

TEST_F(ViewTest, ShrinkingBelow800By550KeepsTheGraphAtThatSize)
{
    view.resize(800, 550);
    QApplication::processEvents();
    const QRect graph = W(1010)->geometry(), hbar = W(1038)->geometry(), vbar = W(1039)->geometry();
    EXPECT_EQ(vbar.x(), 800 - 42);
    EXPECT_EQ(hbar.y(), 550 - 35);
    view.resize(640, 400);
    QApplication::processEvents();
    EXPECT_EQ(W(1010)->geometry(), graph);
    EXPECT_EQ(W(1037)->geometry(), graph);
    EXPECT_EQ(W(1038)->geometry(), hbar);
    EXPECT_EQ(W(1039)->geometry(), vbar);
    const QRect cursor = W(1061)->geometry();
    EXPECT_EQ(graph.top(), cursor.y() + cursor.height() + 5);
    EXPECT_EQ(graph.left(), cursor.x());
}

TEST_F(ViewTest, RunNeedsTheLinkThenRecordsEveryTickAndStopKeepsTheRecords)
{
    QSignalSpy runState(&view, &CMyKovaView::RunStateChanged);
    view.OnCommand(32771);
    EXPECT_FALSE(view.IsRunActive());   // no data from the meter: nothing happens

    LinkAlive();
    view.OnCommand(32771);
    ASSERT_TRUE(view.IsRunActive());
    EXPECT_FALSE(W(1007)->isEnabled());
    EXPECT_DOUBLE_EQ(view.SampleInterval(), 0.5);
    EXPECT_TRUE(view.IsTimerActive(TIMER_SAMPLE));
    Ticks(3);
    EXPECT_EQ(view.RTStore().GetSize(), 3u);
    EXPECT_EQ(Field(1009), "3");
    EXPECT_EQ(Field(1002), "50.0");
    EXPECT_EQ(Field(1005), "50.0");
    auto* list = FindById<QTableView>(&view, 1037);
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(2, 0).data().toString(), "3");
    EXPECT_EQ(list->model()->index(2, 3).data().toString(), "50.00");

    view.OnCommand(32772);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_TRUE(W(1007)->isEnabled());
    EXPECT_EQ(view.RTStore().GetSize(), 3u);
    ASSERT_EQ(runState.size(), 2);
    EXPECT_TRUE(runState[0][0].toBool());
    EXPECT_FALSE(runState[1][0].toBool());
}

TEST_F(ViewTest, RunOverASeriesAsksToSaveAndDiscardsItEvenOnCancel)
{
    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    view.OnCommand(32772);
    dialogs.answerOk = false;
    view.OnCommand(32771);
    EXPECT_EQ(dialogs.questions, QStringList{"Tip: Save Current Data?"});
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());
    EXPECT_EQ(view.RTStore().GetSize(), 0u);
    EXPECT_EQ(FindById<QTableView>(&view, 1037)->model()->rowCount(), 0);
    EXPECT_EQ(Field(1009), "");
}

TEST_F(ViewTest, ClearDataAnsweredCancelKeepsEverything)
{
    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    view.OnCommand(32772);
    dialogs.answerOk = false;
    view.OnCommand(32773);
    EXPECT_EQ(dialogs.questions.last(), "Tips: Clear data?");
    EXPECT_EQ(view.RTStore().GetSize(), 2u);
    EXPECT_EQ(Field(1009), "2");
    dialogs.answerOk = true;
    view.OnCommand(32773);
    EXPECT_EQ(view.RTStore().GetSize(), 0u);
    EXPECT_EQ(Field(1009), "");
    EXPECT_EQ(FindById<QTableView>(&view, 1037)->model()->rowCount(), 0);
}

TEST_F(ViewTest, SetupStartsARunThatEndsAtTheRecordLimit)
{
    LinkAlive();
    dialogs.exec = [](QDialog& dlg) {
        FindById<QLineEdit>(&dlg, 1044)->setText("5");
        FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(3);
        dlg.accept();
        return dlg.result();
    };
    view.OnCommand(32791);
    EXPECT_EQ(dialogs.execTitles, QStringList{"Real-Time Setup"});
    ASSERT_TRUE(view.IsRunActive());
    EXPECT_EQ(view.RecordLimit(), 5);
    EXPECT_DOUBLE_EQ(view.SampleInterval(), 1.0);
    EXPECT_EQ(FindById<QComboBox>(&view, 1007)->currentText(), "1");
    Ticks(5);
    EXPECT_TRUE(view.IsRunActive());
    Ticks(1);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_EQ(view.RTStore().GetSize(), 5u);
    EXPECT_TRUE(W(1007)->isEnabled());
}

TEST_F(ViewTest, SilentMeterStopsTheRunAndKeepsTheRecords)
{
    std::time_t now = 1'700'000'000;
    sonivel::SetClock([&now] { return now; });
    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    now += 1;
    view.OnRunTimer(TIMER_WATCHDOG);
    EXPECT_TRUE(view.IsRunActive());
    now += 1;
    view.OnRunTimer(TIMER_WATCHDOG);
    EXPECT_FALSE(view.IsRunActive());
    EXPECT_FALSE(view.IsLinkAlive());
    EXPECT_EQ(view.RTStore().GetSize(), 2u);
    view.OnCommand(32771);
    EXPECT_FALSE(view.IsRunActive());   // Run does nothing until data arrives again
}

TEST_F(ViewTest, DataLoggerDuringARunAsksToStopFirst)
{
    LinkAlive();
    view.OnCommand(32771);
    view.OnCommand(32780);
    EXPECT_EQ(dialogs.messages, QStringList{"Tip: Please stop the Real Time Runing!"});
}

TEST_F(ViewTest, SaveOffersTheTimeNamedFileAndReportsAFileThatCannotBeWritten)
{
    view.OnCommand(32786);   // nothing to save: no dialog
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());

    LinkAlive();
    view.OnCommand(32771);
    Ticks(2);
    view.OnCommand(32772);
    QTemporaryDir dir;
    dialogs.savePath = dir.filePath("missing-folder/run.txt");
    view.OnCommand(32786);
    ASSERT_EQ(dialogs.saveAsked.size(), 1);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d{1,2}-\d{1,2} \d{1,2}-\d{1,2}\.txt\|txt\|Data File\(\*\.txt\)$)")
                    .match(dialogs.saveAsked[0]).hasMatch())
        << dialogs.saveAsked[0].toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("missing-folder/run.txt")) << dialogs.messages[0].toStdString();
    EXPECT_EQ(view.RTStore().GetSize(), 2u);

    dialogs.savePath = dir.filePath("run.xls");
    view.OnCommand(32785);
    EXPECT_TRUE(dialogs.saveAsked.last().endsWith(".xls|xls|Data File(*.xls)"));
    EXPECT_TRUE(QFile::exists(dir.filePath("run.xls")));
}

TEST_F(ViewTest, KeyPressesNeedTheLinkAndHelpWithoutItsFileDoesNothing)
{
    view.OnKeyCommand(2);   // silent meter: ignored, and no port to write to either
    view.OnCommand(32799);  // no Help.chm in the test's folder
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(CMyKovaView::IsViewCommand(32817));
    EXPECT_FALSE(CMyKovaView::IsViewCommand(57664));
    EXPECT_FALSE(view.OnCommand(57664));
}

} // namespace

// Monitoring runs of the assembled program against the meter simulator.
#include <QTableView>

#include "SimFixture.h"
#include "monitor/MeterPanel.h"

using e2e::kEventMs;
using e2e::WaitFor;

namespace {

class RunSim : public e2e::SimFixture {
protected:
    void SelectInterval(int index) { FindById<QComboBox>(frame.get(), 1007)->setCurrentIndex(index); }
    int ListRows() { return FindById<QTableView>(frame.get(), 1037)->model()->rowCount(); }
    bool RunControlsAvailable()
    {
        return MenuEnabled(32771) && MenuEnabled(32773) && MenuEnabled(32791) && !MenuEnabled(32772) &&
               W(1007)->isEnabled();
    }

    // A run at 0.1 s is going when the meter's cable is pulled: the link
    // watchdog stops it, the panel shows the no-link picture, every record
    // stays and nothing is added after the meter went silent.
    void PullCableDuringARun()
    {
        SelectInterval(0);
        Menu(32771);
        ASSERT_TRUE(View().IsRunActive());
        ASSERT_TRUE(WaitFor([this] { return Records() >= 3; }, kEventMs));
        sim->Kill();
        const std::size_t atHangup = Records();
        ASSERT_TRUE(WaitFor([this] { return !View().IsRunActive(); }, kEventMs)) << "the run goes on without a meter";
        EXPECT_FALSE(View().IsLinkAlive());
        EXPECT_FALSE(View().Form().panel->LinkAlive());   // the no-link picture
        const std::size_t kept = Records();
        EXPECT_GE(kept, atHangup);
        EXPECT_EQ(ListRows(), static_cast<int>(kept));
        EXPECT_EQ(Field(1009), QString::number(kept));
        EXPECT_TRUE(RunControlsAvailable());

        Menu(32771);   // no meter: Run does nothing
        EXPECT_FALSE(View().IsRunActive());
        QTest::qWait(300);
        EXPECT_EQ(Records(), kept);
    }
};

TEST_F(RunSim, SetupRunRecordsAtItsIntervalAndEndsAtItsLimit)
{
    Start();
    ASSERT_TRUE(RunControlsAvailable());
    QElapsedTimer clock;
    clock.start();
    SetupAndStart(5, 1);   // 5 records, 0.2 s
    ASSERT_TRUE(View().IsRunActive());
    EXPECT_EQ(dialogs.execTitles, QStringList{"Real-Time Setup"});
    EXPECT_FALSE(MenuEnabled(32771) || MenuEnabled(32773) || MenuEnabled(32791) || W(1007)->isEnabled());
    EXPECT_TRUE(MenuEnabled(32772));

    ASSERT_TRUE(WaitFor([this] { return !View().IsRunActive(); }, kEventMs));
    // Five records, the run ending on the sixth tick.
    EXPECT_GE(clock.elapsed(), 1100);
    EXPECT_EQ(Records(), 5u);
    EXPECT_EQ(ListRows(), 5);
    EXPECT_EQ(Field(1009), "5");
    EXPECT_TRUE(RunControlsAvailable());
    EXPECT_EQ(FindById<QComboBox>(frame.get(), 1007)->currentText(), "0.2");
    const CRecordStore& store = View().RTStore();
    for (std::size_t i = 0; i < store.GetSize(); ++i) {
        EXPECT_DOUBLE_EQ(store.GetAt(i).m_dSampleRate, 0.2);
        EXPECT_EQ(store.GetAt(i).m_strUnit, "dBA");
        EXPECT_GT(store.GetAt(i).m_dValue, 20.0);   // a real reading, not the 50.0 of the first showing
        EXPECT_LT(store.GetAt(i).m_dValue, 140.0);
    }
    QTest::qWait(400);
    EXPECT_EQ(Records(), 5u);   // nothing recorded after the end
}

TEST_F(RunSim, StopKeyPutsTheMeterInHoldWhichStopsTheRun)
{
    Start();
    SelectInterval(0);
    Menu(32771);
    ASSERT_TRUE(View().IsRunActive());
    ASSERT_TRUE(WaitFor([this] { return Records() >= 3; }, kEventMs));
    QTest::mouseClick(FindById<QAbstractButton>(frame.get(), 1049), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return !View().IsRunActive(); }, kEventMs));
    const std::size_t kept = Records();
    EXPECT_GE(kept, 3u);
    EXPECT_TRUE(RunControlsAvailable());
    QTest::qWait(400);
    EXPECT_EQ(Records(), kept);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
}

TEST_F(RunSim, PulledCableStopsTheRunAndKeepsEveryRecord)
{
    Start();   // the device named at start, as --port and SONIVEL_PORT name it
    PullCableDuringARun();
}

TEST_F(RunSim, ManuallyChosenPortIsWatchedAsWell)
{
    StartManual();
    PullCableDuringARun();
}

TEST_F(RunSim, ClearCancelledKeepsTheSeriesAndRunOverItAsksToSave)
{
    Start();
    RecordSome(3);
    dialogs.answerOk = false;
    Menu(32773);
    EXPECT_EQ(dialogs.questions, QStringList{"Tips: Clear data?"});
    EXPECT_EQ(Records(), 3u);
    EXPECT_EQ(ListRows(), 3);
    EXPECT_EQ(Field(1009), "3");

    Menu(32771);
    EXPECT_EQ(dialogs.questions.last(), "Tip: Save Current Data?");
    EXPECT_TRUE(dialogs.saveAsked.isEmpty());
    ASSERT_TRUE(View().IsRunActive());
    // A new series: before its first tick the old records, their rows and
    // their count are gone.
    EXPECT_EQ(Records(), 0u);
    EXPECT_EQ(ListRows(), 0);
    EXPECT_EQ(Field(1009), "");
    ASSERT_TRUE(WaitFor([this] { return Records() >= 1; }, kEventMs));
    Menu(32772);
    EXPECT_FALSE(View().IsRunActive());
    EXPECT_EQ(ListRows(), static_cast<int>(Records()));
    EXPECT_EQ(Field(1009), QString::number(Records()));
}

} // namespace

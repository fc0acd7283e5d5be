// The main frame's keys, close confirmation and data-logger download against
// the meter simulator.
#include <QAction>
#include <QRegularExpression>
#include <QTimer>

#include "SimFixture.h"
#include "logger/DataLogDlg.h"

using e2e::kEventMs;
using e2e::WaitFor;

namespace {

using FrameSim = e2e::SimFixture;

TEST_F(FrameSim, FastSlowKeyReachesTheMeterAndComesBackInTheReading)
{
    Start();
    const bool fast = View().Live().m_bFast;
    QTest::mouseClick(FindById<QAbstractButton>(frame.get(), 1050), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return View().Live().m_bFast != fast; }, kEventMs));
    QTest::mouseClick(FindById<QAbstractButton>(frame.get(), 1050), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return View().Live().m_bFast == fast; }, kEventMs));

    const bool weightA = View().Live().m_bWeightA;
    QTest::mouseClick(FindById<QAbstractButton>(frame.get(), 1052), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return View().Live().m_bWeightA != weightA; }, kEventMs));
}

TEST_F(FrameSim, ClosingWithRecordsAsksAndCancelKeepsThem)
{
    Start();
    RecordSome(2);
    dialogs.answerOk = false;
    EXPECT_FALSE(frame->close());
    Menu(32788);   // Exit asks the same
    EXPECT_EQ(dialogs.questions, QStringList({"Tip: Close Window?", "Tip: Close Window?"}));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(Records(), 2u);
    dialogs.answerOk = true;
    EXPECT_TRUE(frame->close());
}

TEST_F(FrameSim, DataLoggerDownloadOpensTheWindowWithTheMetersGroups)
{
    Start({"--groups", "3,2", "--fast-download"});
    bool guardFired = false;
    dialogs.exec = [&guardFired](QDialog& progress) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &progress, [&] {
            guardFired = true;
            progress.reject();
        });
        guard.start(kEventMs);
        return progress.exec();
    };
    Menu(32780);
    EXPECT_FALSE(guardFired);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    auto* window = frame->findChild<CDataLogDlg*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(window->Rows().size(), 2u);
    EXPECT_EQ(window->Rows()[0].nCount, 3u);
    EXPECT_EQ(window->Rows()[1].nCount, 2u);
    EXPECT_EQ(View().LogStore().GetSize(), 5u);
    // The live frames still arrive after the download.
    EXPECT_TRUE(WaitFor([this] { return View().IsLinkAlive(); }, kEventMs));

    // The window's Save Selected and Export offer time-named files, as the
    // main window's Save does (cancelled here).
    window->OnGroupDoubleClicked(1);
    ASSERT_EQ(window->SelGroup().GetSize(), 2u);
    FindById<QAction>(window, 32793)->trigger();
    FindById<QAction>(window, 32813)->trigger();
    Menu(32786);
    ASSERT_EQ(dialogs.saveAsked.size(), 2);   // the main store is empty: Save returns silently
    const QRegularExpression name(R"(^\d{4}-\d{1,2}-\d{1,2} \d{1,2}-\d{1,2}\.(txt|xls)\|)");
    for (const QString& asked : dialogs.saveAsked)
        EXPECT_TRUE(name.match(asked).hasMatch()) << asked.toStdString();

    // Logger records alone make closing ask too.
    dialogs.answerOk = false;
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(dialogs.questions, QStringList{"Tip: Close Window?"});
}

} // namespace

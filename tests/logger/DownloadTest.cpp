// The DataLogger command against a real receiver fed with the meter's bytes
// while the progress dialog runs.
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "logger/LogState.h"
#include "LoggerHarness.h"
#include "LoggerRecords.h"
#include "support/ScriptedDialogs.h"

using namespace loggertest;
using testsupport::CScriptedDialogs;

namespace {

// Group headers: dBA 05-12-2011 9:03:07 every 1 s; dBC 05-12-2011 23:59:55 every 10 s.
const std::vector<std::uint8_t> kHeaderA {0xAA, 0x11, 0x12, 0x05, 0x09, 0x03, 0x07, 0x01};
const std::vector<std::uint8_t> kHeaderC {0xCC, 0x11, 0x12, 0x05, 0x31, 0x59, 0x55, 0x10};

class Download : public ::testing::Test {
protected:
    // The user waits in the progress dialog while the meter's bytes arrive.
    void AnswerDuringDialog(std::vector<std::uint8_t> bytes)
    {
        dialogs.exec = [this, bytes](QDialog& d) {
            QTimer::singleShot(50, &d, [this, bytes] { h.Feed(bytes); });
            return GuardedExec(d, &timedOut);
        };
    }
    const std::vector<sonivel::SGroupRow>& Rows() const { return h.logger.Window()->Rows(); }

    CScriptedDialogs dialogs;
    CLoggerHarness h;
    bool timedOut = false;
};

} // namespace

TEST_F(Download, TwoGroupsBecomeTwoRowsWithTheirTimes)
{
    AnswerDuringDialog(LoggerAnswer({{kHeaderA, {653, 1125, 0}}, {kHeaderC, {500, 600}}}));
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(dialogs.execs, 1);
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_TRUE(h.TimerActive(TIMER_DOWNLOAD));   // the time-out was armed; it dies by itself later

    // The request went out and stopped with the answer header.
    ASSERT_GE(h.written.size(), 2u);
    EXPECT_EQ(h.written[0], 0x5A);
    EXPECT_EQ(h.written[1], 0xAC);
    const std::size_t sent = h.written.size();
    QTest::qWait(80);
    EXPECT_EQ(h.written.size(), sent);

    ASSERT_NE(h.logger.Window(), nullptr);
    EXPECT_TRUE(h.logger.Window()->isVisible());
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[0].nGroup, 1);
    EXPECT_EQ(Rows()[0].nCount, 3u);
    EXPECT_EQ(Rows()[0].strTime, "05-12-2011,9:03:07");
    EXPECT_EQ(Rows()[0].strUnit, "dBA");
    EXPECT_EQ(Rows()[1].nCount, 2u);
    EXPECT_EQ(Rows()[1].strTime, "05-12-2011,23:59:55");
    EXPECT_EQ(Rows()[1].strUnit, "dBC");
    ASSERT_EQ(h.logStore.GetSize(), 5u);
    EXPECT_EQ(h.logStore.GetAt(1).m_strTime, "05-12-2011,9:03:08");
    EXPECT_DOUBLE_EQ(h.logStore.GetAt(1).m_dValue, 112.5);
    EXPECT_EQ(h.logStore.GetAt(4).m_strTime, "06-12-2011,0:00:05");
    EXPECT_TRUE(h.logger.Window()->Form().importData->isEnabled());
}

TEST_F(Download, ProgressFollowsTheAnswer)
{
    std::vector<int> samples(200, 655);
    auto answer = LoggerAnswer({{kHeaderA, samples}});
    int maxSeen = 0, range = 0;
    dialogs.exec = [&](QDialog& d) {
        auto& state = static_cast<CLogState&>(d);
        QTimer::singleShot(20, &d, [&, answer] {
            h.Feed({answer.begin(), answer.begin() + 300});
            maxSeen = state.Progress()->value();
            range = state.Progress()->maximum();
            h.Feed({answer.begin() + 300, answer.end()});
        });
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(range, static_cast<int>(answer.size()) - 3);   // the announced data bytes
    EXPECT_GT(maxSeen, 250);
    EXPECT_LE(maxSeen, 300);
}

TEST_F(Download, EmptyLoggerAnsweringBeforeTheDialogShowsClosesItAtOnce)
{
    AddGroup(h.logStore, 4, 3);
    dialogs.exec = [this](QDialog& d) {
        h.Feed(kEmptyLogger);   // the end arrives before the modal loop runs
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(h.logStore.IsEmpty());
    ASSERT_NE(h.logger.Window(), nullptr);
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Download, RefusedDuringARunAndSilentWithoutALink)
{
    AddGroup(h.logStore, 4, 3);
    h.rx.m_bRunActive = true;
    h.logger.DataLogger();
    EXPECT_EQ(dialogs.messages, QStringList({"Tip: Please stop the Real Time Runing!"}));
    h.rx.m_bRunActive = false;
    h.rx.m_bLinkAlive = false;
    h.logger.DataLogger();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.execs, 0);
    EXPECT_TRUE(h.written.empty());
    EXPECT_EQ(h.logStore.GetSize(), 3u);
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_EQ(h.logger.Window(), nullptr);
}

TEST_F(Download, TimeOutEndsWithAnErrorAndAnEmptyWindow)
{
    dialogs.exec = [this](QDialog& d) {
        // The header and part of a group arrive; then the 250 s time-out fires.
        QTimer::singleShot(20, &d, [this] {
            auto answer = LoggerAnswer({{kHeaderA, {653, 654, 655}}});
            h.Feed({answer.begin(), answer.begin() + 10});
            h.run.OnTimer(TIMER_DOWNLOAD);
        });
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(dialogs.messages, QStringList({"error: Occur an error"}));
    EXPECT_FALSE(h.TimerActive(TIMER_DOWNLOAD));
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_TRUE(h.logStore.IsEmpty());
    EXPECT_TRUE(Rows().empty());
}

TEST_F(Download, NoAnswerKeepsRequestingWithoutBlockingThenLinkLossEnds)
{
    dialogs.exec = [this](QDialog& d) {
        // The meter never answers: requests keep going while events run.
        QTimer::singleShot(150, &d, [this] {
            h.rx.m_timeLastRx -= std::chrono::seconds(5);
            h.run.Watchdog();
        });
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_GE(h.logger.Requests(), 3);
    EXPECT_EQ(h.written.size(), 2u * static_cast<std::size_t>(h.logger.Requests()));
    EXPECT_EQ(dialogs.messages, QStringList({"error: Occur an error"}));
    EXPECT_FALSE(h.rx.m_bLinkAlive);
    const std::size_t sent = h.written.size();
    QTest::qWait(60);
    EXPECT_EQ(h.written.size(), sent);   // the repetition ended with the download
}

TEST_F(Download, CancelEndsTheDownloadAndLaterBytesAreLiveAgain)
{
    dialogs.exec = [this](QDialog& d) {
        auto& state = static_cast<CLogState&>(d);
        EXPECT_EQ(state.CancelButton()->text(), CLogState::CancelText());
        EXPECT_TRUE(state.windowTitle().isEmpty());
        EXPECT_EQ(ResId(state.CancelButton()), 2);
        QTimer::singleShot(30, &d, [this, &state] {
            auto answer = LoggerAnswer({{kHeaderA, {653, 654}}});
            h.Feed({answer.begin(), answer.begin() + 8});
            state.CancelButton()->click();
        });
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(Rows().empty());
    // The rest of the answer no longer makes records.
    auto answer = LoggerAnswer({{kHeaderA, {653, 654}}});
    h.Feed({answer.begin() + 8, answer.end()});
    EXPECT_TRUE(h.logStore.IsEmpty());
}

TEST_F(Download, AnOpenWindowForgetsItsGroupWhileTheDownloadRuns)
{
    AnswerDuringDialog(LoggerAnswer({{kHeaderA, {653, 1125, 0}}}));
    h.logger.DataLogger();
    CDataLogDlg* w = h.logger.Window();
    ASSERT_NE(w, nullptr);
    w->OnGroupDoubleClicked(0);
    ASSERT_EQ(w->SelGroup().GetSize(), 3u);

    bool importEnabledDuring = true;
    std::size_t selectedDuring = 99, rowsDuring = 99, drawnDuring = 99;
    dialogs.exec = [&](QDialog& d) {
        importEnabledDuring = w->Form().importData->isEnabled();
        selectedDuring = w->SelGroup().GetSize();
        rowsDuring = w->Rows().size();
        drawnDuring = w->Form().graph->RecordList()->GetSize();
        w->OnImport();   // refused: asks for no file
        QTimer::singleShot(20, &d, [this] { h.Feed(LoggerAnswer({{kHeaderC, {500, 600}}})); });
        return GuardedExec(d, &timedOut);
    };
    h.logger.DataLogger();
    EXPECT_FALSE(importEnabledDuring);
    EXPECT_EQ(selectedDuring, 0u);
    EXPECT_EQ(rowsDuring, 0u);
    EXPECT_EQ(drawnDuring, 0u);
    EXPECT_TRUE(dialogs.openAsked.isEmpty());
    EXPECT_EQ(h.logger.Window(), w);
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].strUnit, "dBC");
    EXPECT_TRUE(w->Form().importData->isEnabled());
}

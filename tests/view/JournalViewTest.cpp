// The monitoring run's journal as the view keeps it: written record by record,
// gone once the user decided (Save, Clear Data with OK, No at the restore
// question), restored as the run left it, reported once when it cannot be
// written, and never written over while another window holds it.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "files/DataFile.h"
#include "graph/ChartState.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MonitorRun.h"
#include "monitor/RunJournal.h"
#include "protocol/ProtocolTestUtil.h"
#include "support/ScriptedDialogs.h"
#include "view/MyKovaView.h"

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class JournalViewTest : public ::testing::Test {
protected:
    std::unique_ptr<CMyKovaView> NewView()
    {
        auto view = std::make_unique<CMyKovaView>(nullptr, SViewOptions{QString(), false, folder});
        view->resize(1000, 700);
        view->show();
        QApplication::processEvents();
        return view;
    }
    // A run of levels, one record each, then Stop.
    static void Record(CMyKovaView& view, const std::vector<const char*>& levels)
    {
        const auto frame = prototest::Frame(levels.front());
        view.OnReceiveData(frame.data(), frame.size());
        view.OnCommand(32771);
        for (const char* level : levels) {
            const auto f = prototest::Frame(level);
            for (int i = 0; i < 2; ++i)   // the reading lags one frame
                view.OnReceiveData(f.data(), f.size());
            view.OnRunTimer(TIMER_SAMPLE);
        }
        view.OnCommand(32772);
    }
    static QString Field(CMyKovaView& view, int id) { return FindById<QLineEdit>(&view, id)->text(); }

    QTemporaryDir dir;
    QString folder = dir.filePath("state/Sonivel");
    QString journal = folder + "/" + kJournalFileName;
    testsupport::CScriptedDialogs dialogs;
};

TEST_F(JournalViewTest, TheJournalFollowsEachRecordAndGoesOnlyWhenTheUserDecided)
{
    enum class EDecision { Save, ClearOk, ClearCancel, RestoreNo };
    struct SCase {
        const char* what;
        EDecision decision;
        bool journalStays;
    };
    const SCase cases[] = {
        {"saved", EDecision::Save, false},
        {"cleared with OK", EDecision::ClearOk, false},
        {"clear cancelled", EDecision::ClearCancel, true},
        {"restore answered No", EDecision::RestoreNo, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(journal);
        dialogs.questions.clear();
        auto view = NewView();
        EXPECT_TRUE(dialogs.questions.isEmpty());
        Record(*view, {"0635", "0701", "0588"});
        const QByteArray written = QByteArray::fromStdString(sonivel::FormatDataFile(view->RTStore()));
        ASSERT_EQ(ReadAll(journal), written);
        switch (c.decision) {
        case EDecision::Save:
            dialogs.savePath = dir.filePath("run.txt");
            view->OnCommand(32786);
            EXPECT_EQ(ReadAll(dialogs.savePath), written);
            break;
        case EDecision::ClearOk:
        case EDecision::ClearCancel:
            dialogs.answerOk = c.decision == EDecision::ClearOk;
            view->OnCommand(32773);
            dialogs.answerOk = true;
            break;
        case EDecision::RestoreNo:
            view.reset();   // the program ends without a decision
            ASSERT_EQ(ReadAll(journal), written);
            dialogs.answerYes = false;
            view = NewView();
            dialogs.answerYes = true;
            EXPECT_EQ(dialogs.questions.size(), 1);
            EXPECT_TRUE(view->RTStore().IsEmpty());
            break;
        }
        EXPECT_EQ(QFile::exists(journal), c.journalStays);
    }
}

TEST_F(JournalViewTest, YesRestoresTheRunAsItWasAndATornLastLineIsCutOff)
{
    const std::vector<int> fields = {1009, 1001, 1002, 1003, 1005, 1006, 1008};
    auto before = NewView();
    Record(*before, {"0635", "0701", "0588", "0912"});
    const QByteArray written = ReadAll(journal);
    const std::string firstTime = before->RTStore().GetAt(0).m_strTime;
    QStringList shown;
    for (int id : fields)
        shown << Field(*before, id);
    const double interval = before->SampleInterval();
    const int rateIndex = FindById<QComboBox>(before.get(), 1007)->currentIndex();
    const sonivel::SChartState chart = *before->Graph();
    const QImage graph = before->Graph()->grab().toImage();
    before.reset();   // the program ends without a decision
    {
        QFile f(journal);   // a power cut in the middle of the next line
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray::fromStdString(firstTime).left(12));
    }

    auto after = NewView();
    ASSERT_EQ(dialogs.questions,
              QStringList{QStringLiteral("Tip: A monitoring run was not saved: 4 records from %1.\nRestore them?")
                              .arg(QString::fromStdString(firstTime))});
    EXPECT_EQ(ReadAll(journal), written);
    EXPECT_EQ(sonivel::FormatDataFile(after->RTStore()), written.toStdString());
    EXPECT_EQ(after->SampleInterval(), interval);
    EXPECT_EQ(FindById<QComboBox>(after.get(), 1007)->currentIndex(), rateIndex);
    QStringList restored;
    for (int id : fields)
        restored << Field(*after, id);
    EXPECT_EQ(restored, shown);
    EXPECT_EQ(after->Graph()->m_dXMax, chart.m_dXMax);
    EXPECT_EQ(after->Graph()->m_dXScale, chart.m_dXScale);
    EXPECT_EQ(after->Graph()->m_dXOffset, chart.m_dXOffset);
    EXPECT_TRUE(after->Graph()->grab().toImage() == graph) << "the graph differs";

    // A new run over the restored one asks to save it first; Cancel discards
    // it, and the new run's journal starts afresh.
    dialogs.answerOk = false;
    Record(*after, {"0500"});
    EXPECT_EQ(ReadAll(journal).count("\r\n"), 2);
}

TEST_F(JournalViewTest, AJournalThatCannotBeWrittenIsReportedOnceAndAnotherWindowsJournalIsLeftAlone)
{
    // Another window's run holds the journal: no question, and this window's
    // run leaves it untouched and says so once.
    auto first = NewView();
    Record(*first, {"0635", "0701"});
    const QByteArray held = ReadAll(journal);
    auto second = NewView();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_TRUE(second->RTStore().IsEmpty());
    Record(*second, {"0500", "0501", "0502"});
    EXPECT_EQ(second->RTStore().GetSize(), 3u);
    EXPECT_EQ(ReadAll(journal), held);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(journal)) << dialogs.messages[0].toStdString();

    // A folder that cannot be made: the run goes on, with one message.
    first.reset();
    second.reset();
    dialogs.messages.clear();
    QFile::remove(journal);
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto third = NewView();
    Record(*third, {"0500", "0501", "0502"});
    EXPECT_EQ(third->RTStore().GetSize(), 3u);
    ASSERT_EQ(dialogs.messages.size(), 1) << dialogs.messages.join('|').toStdString();
    EXPECT_TRUE(dialogs.messages[0].contains(journal)) << dialogs.messages[0].toStdString();
}

} // namespace

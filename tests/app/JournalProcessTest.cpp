// A monitoring run of the real application, in a child process, ended by
// kill -9, SIGTERM or SIGHUP: the next start offers the run back and Yes
// restores every record taken, byte for byte when saved.
#include <csignal>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "e2e/SimFixture.h"
#include "files/DataFile.h"
#include "monitor/RunJournal.h"

namespace {

using e2e::kEventMs;
using e2e::WaitFor;

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(JournalProcess, ARunEndedByASignalComesBackWholeAtTheNextStart)
{
    struct SCase {
        const char* what;
        int signal;
    };
    const SCase cases[] = {{"kill -9", SIGKILL}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir state;
        const QString folder = state.filePath("Sonivel");
        const QString journal = folder + "/" + kJournalFileName;
        e2e::CSimProcess sim({"--period", "50"});
        ASSERT_FALSE(sim.Device().isEmpty());

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_STATE_HOME", state.path());
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(SONIVEL_JOURNAL_CHILD_PATH), {"--port", sim.Device()});
        ASSERT_TRUE(child.waitForStarted(kEventMs));
        // The records the program reports as taken (journal written).
        QByteArray taken;
        ASSERT_TRUE(WaitFor(
            [&] {
                child.waitForReadyRead(50);
                taken += child.readAllStandardOutput();
                return taken.count("\r\n") >= 5;
            },
            kEventMs))
            << child.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(child.processId()), c.signal);
        ASSERT_TRUE(child.waitForFinished(kEventMs)) << "the program did not end";
        if (c.signal != SIGKILL) {
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child.exitCode(), 0);
            EXPECT_FALSE(child.readAllStandardError().contains("question:")) << "a dialog was in the way";
        }
        taken += child.readAllStandardOutput();

        // Every record taken is in the journal, in order, after the header.
        const QByteArray kept = ReadAll(journal);
        const QByteArray header = QByteArray::fromStdString(sonivel::FormatDataHeaderLine(0.1));
        ASSERT_TRUE(kept.startsWith(header + taken)) << kept.toStdString();
        const auto records = static_cast<std::size_t>(kept.count("\r\n") - 1);

        // The next start: the question, Yes, and the run is back.
        testsupport::CScriptedDialogs dialogs;
        CMainFrame frame(SViewOptions{QString(), false, folder});
        frame.show();
        const QString firstTime = QString::fromLatin1(taken.left(taken.indexOf(", ")));
        ASSERT_EQ(dialogs.questions,
                  QStringList{QStringLiteral("Tip: A monitoring run was not saved: %1 records from %2.\nRestore them?")
                                  .arg(records)
                                  .arg(firstTime)});
        EXPECT_EQ(frame.View()->RTStore().GetSize(), records);
        dialogs.savePath = state.filePath("run.txt");
        frame.Action(32786)->trigger();
        EXPECT_EQ(ReadAll(dialogs.savePath), kept);
        EXPECT_FALSE(QFile::exists(journal)) << "the journal outlived the Save";
    }
}

} // namespace

// The command line: parsing, and --help / --version answered by the real
// program without a window.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using EAction = SCommandLine::EAction;

TEST(CommandLine, ParsesThePortTheFileHelpAndVersionAndRefusesTheRest)
{
    struct SCase {
        QStringList arguments;
        EAction action;
        QString portPath, dataFile;
        QString outputHas;
    };
    const SCase cases[] = {
        {{"sonivel"}, EAction::Start, {}, {}, {}},
        {{"sonivel", "--port", "/dev/ttyUSB1"}, EAction::Start, "/dev/ttyUSB1", {}, {}},
        {{"sonivel", "run.txt", "--port=/dev/pts/3"}, EAction::Start, "/dev/pts/3", "run.txt", {}},
        {{"sonivel", "--", "-odd name.txt"}, EAction::Start, {}, "-odd name.txt", {}},
        {{"/usr/bin/sonivel", "--help"}, EAction::ShowHelp, {}, {}, "Usage: sonivel [options] [file]"},
        {{"sonivel", "-?"}, EAction::ShowHelp, {}, {}, "--port <dev>"},
        {{"sonivel", "-h", "run.txt"}, EAction::ShowHelp, {}, {}, "[file]"},
        {{"sonivel", "--version"}, EAction::ShowVersion, {}, {}, "Sonivel " + ProgramVersion()},
        {{"sonivel", "--bogus"}, EAction::Fail, {}, {}, "bogus"},
        {{"sonivel", "--port"}, EAction::Fail, {}, {}, "port"},
        {{"sonivel", "--port="}, EAction::Fail, {}, {}, "device path"},
        {{"sonivel", "a.txt", "b.txt"}, EAction::Fail, {}, {}, "one data file"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const SCommandLine parsed = ParseCommandLine(c.arguments);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.portPath, c.portPath);
        EXPECT_EQ(parsed.dataFile, c.dataFile);
        EXPECT_TRUE(parsed.output.contains(c.outputHas)) << parsed.output.toStdString();
        if (c.action == EAction::Fail) {
            EXPECT_TRUE(parsed.output.contains("--help")) << parsed.output.toStdString();
        }
    }
}

TEST(CommandLine, HelpAndVersionEndTheProgramWithoutAWindow)
{
    struct SCase {
        QStringList arguments;
        int exitCode;
        QString stdoutHas, stderrHas;
    };
    const SCase cases[] = {
        {{"--help"}, 0, "--version", {}},
        {{"--version"}, 0, "Sonivel " + ProgramVersion(), {}},
        {{"-platform", "offscreen", "--help"}, 0, "--port", {}},
        {{"--no-such-option"}, 1, {}, "no-such-option"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess sonivel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        sonivel.setProcessEnvironment(env);
        sonivel.start(QStringLiteral(SONIVEL_APP_PATH), c.arguments);
        ASSERT_TRUE(sonivel.waitForStarted(60000));
        // A window would keep the program running until it is killed.
        const bool ended = sonivel.waitForFinished(120000);
        if (!ended) {
            sonivel.kill();
            sonivel.waitForFinished(60000);
        }
        ASSERT_TRUE(ended) << "the program did not end";
        EXPECT_EQ(sonivel.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(sonivel.exitCode(), c.exitCode);
        const QString out = QString::fromLocal8Bit(sonivel.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(sonivel.readAllStandardError());
        EXPECT_TRUE(out.contains(c.stdoutHas)) << out.toStdString();
        EXPECT_TRUE(err.contains(c.stderrHas)) << err.toStdString();
    }
}

} // namespace

// The DataLogger command end to end: the meter simulator on a
// pseudo-terminal, the port with its reader thread, the receiver on the
// user-interface thread, the link watchdog and the progress dialog.
#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "logger/DataLogDlg.h"
#include "logger/LogState.h"
#include "LoggerHarness.h"
#include "support/ScriptedDialogs.h"
#include "serial/ComPort.h"

using namespace loggertest;
using testsupport::CScriptedDialogs;

namespace {

class SimDownload : public ::testing::Test {
protected:
    void TearDown() override
    {
        port.Close();
        sim.terminate();
        sim.waitForFinished(3000);
    }

    // Starts the simulator, opens its port and waits for the live frames.
    bool Start(const QStringList& args)
    {
        sim.start(QStringLiteral(SONIVEL_SIM_PATH), QStringList {"--period", "100"} + args);
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
            return false;
        const std::string path = sim.readLine().trimmed().toStdString();
        const bool opened = port.Open(path, [this](const std::uint8_t* d, std::size_t n) {
            std::vector<std::uint8_t> chunk(d, d + n);
            QMetaObject::invokeMethod(&context, [this, chunk] { h.rx.OnReceiveData(chunk.data(), chunk.size()); },
                                      Qt::QueuedConnection);
        });
        if (!opened)
            return false;
        h.rx.m_bLinkAlive = false;
        h.run.StartWatchdog();
        QElapsedTimer t;
        t.start();
        while (!h.rx.m_bLinkAlive && t.elapsed() < 5000)
            QTest::qWait(20);
        return h.rx.m_bLinkAlive;
    }

    void RunDownload(std::function<void(QDialog&)> during = {})
    {
        dialogs.exec = [this, during](QDialog& d) {
            if (during)
                during(d);
            return GuardedExec(d, &timedOut);
        };
        h.logger.DataLogger();
    }

    const std::vector<sonivel::SGroupRow>& Rows() const { return h.logger.Window()->Rows(); }

    CScriptedDialogs dialogs;
    CLoggerHarness h {[this](const std::uint8_t* d, std::size_t n) { return port.Write(d, n); }};
    CComPort port;
    QObject context;   // queued chunks die with it
    QProcess sim;
    bool timedOut = false;
};

} // namespace

TEST_F(SimDownload, TwoGroupsOfThreeAndTwoSamples)
{
    ASSERT_TRUE(Start({"--groups", "3,2"}));
    RunDownload();
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_NE(h.logger.Window(), nullptr);
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[0].nCount, 3u);
    EXPECT_EQ(Rows()[1].nCount, 2u);
    // The simulator's recordings start at 9:30:00, the next one an hour later, 1 s and 2 s apart.
    EXPECT_TRUE(Rows()[0].strTime.ends_with(",9:30:00")) << Rows()[0].strTime;
    EXPECT_TRUE(Rows()[1].strTime.ends_with(",10:30:00")) << Rows()[1].strTime;
    ASSERT_EQ(h.logStore.GetSize(), 5u);
    EXPECT_TRUE(h.logStore.GetAt(2).m_strTime.ends_with(",9:30:02"));
    EXPECT_TRUE(h.logStore.GetAt(4).m_strTime.ends_with(",10:30:02"));
    EXPECT_EQ(Rows()[0].strUnit, "dBA");
    EXPECT_EQ(Rows()[1].strUnit, "dBC");
    EXPECT_FALSE(h.rx.m_bLogDownload);
}

TEST_F(SimDownload, EmptyLoggerGivesAnEmptyWindow)
{
    ASSERT_TRUE(Start({"--groups", "0"}));
    RunDownload();
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_NE(h.logger.Window(), nullptr);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(SimDownload, MeterFallingSilentMidDownloadIsAnError)
{
    ASSERT_TRUE(Start({"--groups", "600", "--silent-in-download"}));
    RunDownload();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(dialogs.messages, QStringList({"error: Occur an error"}));
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_TRUE(h.logStore.IsEmpty());
    ASSERT_NE(h.logger.Window(), nullptr);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(SimDownload, CancelEndsTheDownload)
{
    ASSERT_TRUE(Start({"--groups", "3000"}));
    RunDownload([](QDialog& d) {
        QTimer::singleShot(700, &d, [&d] { static_cast<CLogState&>(d).CancelButton()->click(); });
    });
    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(h.rx.m_bLogDownload);
    EXPECT_TRUE(Rows().empty());
    // The rest of the answer streams in as text of the live path: no records.
    QTest::qWait(300);
    EXPECT_TRUE(h.logStore.IsEmpty());
}

#pragma once
// The whole program against sonivel-meter-sim on a pseudo-terminal: the main
// frame with its view opening the simulator's device, the program's dialogs
// answered by a script.
#include <functional>
#include <memory>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "support/ScriptedDialogs.h"

namespace e2e {

// How long a test waits for something the program or the simulator does: far
// beyond what it takes, so that a loaded machine only makes tests slower.
inline constexpr int kEventMs = 20000;

// Runs the event loop until pred holds or ms have passed; the result of pred.
inline bool WaitFor(const std::function<bool()>& pred, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

// The simulator as a child process; Device() is the first line it prints.
class CSimProcess {
public:
    explicit CSimProcess(const QStringList& options)
    {
        m_proc.start(QStringLiteral(SONIVEL_SIM_PATH), options);
        if (m_proc.waitForStarted(kEventMs) && m_proc.waitForReadyRead(kEventMs))
            m_device = QString::fromLocal8Bit(m_proc.readLine()).trimmed();
    }
    ~CSimProcess() { Kill(); }
    const QString& Device() const { return m_device; }
    // The meter's cable is pulled: the device closes at once.
    void Kill()
    {
        if (m_proc.state() != QProcess::NotRunning) {
            m_proc.kill();
            m_proc.waitForFinished(3000);
        }
    }

private:
    QProcess m_proc;
    QString m_device;
};

class SimFixture : public ::testing::Test {
protected:
    // Starts the simulator with options (a fast frame period is added), builds
    // the main frame on its device and waits for live frames.
    void Start(QStringList options = {})
    {
        StartSim(options);
        if (HasFatalFailure())
            return;
        ShowFrame(SViewOptions{sim->Device(), true});
        ASSERT_TRUE(WaitFor([this] { return View().IsLinkAlive(); }, kEventMs)) << "no live frames";
    }
    // The same, with the port chosen by the user: the frame starts without a
    // port and Com Port > Manual names the simulator's device.
    void StartManual(QStringList options = {})
    {
        StartSim(options);
        if (HasFatalFailure())
            return;
        ShowFrame(SViewOptions{QString(), false});
        const QString device = sim->Device();
        dialogs.exec = [device](QDialog& dlg) {
            FindById<QLineEdit>(&dlg, 1063)->setText(device);
            QTest::mouseClick(FindById<QPushButton>(&dlg, 1), Qt::LeftButton);
            return dlg.result();
        };
        Menu(32815);
        dialogs.exec = nullptr;
        ASSERT_FALSE(View().IsAutoPort());
        ASSERT_TRUE(WaitFor([this] { return View().IsLinkAlive(); }, kEventMs)) << "no live frames";
    }
    void TearDown() override
    {
        dialogs.answerOk = true;   // a frame with records closes without a question in the way
        frame.reset();
        sim.reset();
    }

    void StartSim(const QStringList& options)
    {
        sim = std::make_unique<CSimProcess>(QStringList{"--period", "50"} + options);
        ASSERT_FALSE(sim->Device().isEmpty()) << "the simulator did not start";
    }
    void ShowFrame(SViewOptions options)
    {
        frame = std::make_unique<CMainFrame>(std::move(options));
        frame->resize(1400, 900);
        frame->show();
    }

    CMyKovaView& View() { return *frame->View(); }
    QWidget* W(int id) { return FindById<QWidget>(frame.get(), id); }
    QString Field(int id) { return FindById<QLineEdit>(frame.get(), id)->text(); }
    std::size_t Records() { return View().RTStore().GetSize(); }
    void Menu(int id) { frame->Action(id)->trigger(); }
    bool MenuEnabled(int id) { return frame->Action(id)->isEnabled(); }

    // Setup answered with "Start": record limit and interval index.
    void SetupAndStart(int limit, int rateIndex)
    {
        dialogs.exec = [limit, rateIndex](QDialog& dlg) {
            FindById<QLineEdit>(&dlg, 1044)->setText(QString::number(limit));
            FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(rateIndex);
            QTest::mouseClick(FindById<QPushButton>(&dlg, 1), Qt::LeftButton);
            return dlg.result();
        };
        Menu(32791);
    }
    // A short run of n records at 0.1 s, stopped by its limit.
    void RecordSome(int n)
    {
        SetupAndStart(n, 0);
        ASSERT_TRUE(WaitFor([this] { return !View().IsRunActive(); }, kEventMs));
        ASSERT_EQ(Records(), static_cast<std::size_t>(n));
    }

    testsupport::CScriptedDialogs dialogs;
    std::unique_ptr<CSimProcess> sim;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace e2e

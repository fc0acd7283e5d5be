#pragma once
#include <memory>

#include <QApplication>

#include "app/CommandLine.h"

class CMainFrame;
class CQuitSignals;

// The application: creates the main frame (with its view), shows it
// maximised and opens the data file named on the command line. SIGTERM and
// SIGHUP end it without a question, keeping the monitoring run's journal.
class CMyKovaApp : public QApplication {
    Q_OBJECT
public:
    CMyKovaApp(int& argc, char** argv);
    ~CMyKovaApp() override;

    // Start-up with the options of the command line (action Start); false
    // (with a message on stderr) when the program cannot start.
    bool InitInstance(const SCommandLine& commandLine = {});
    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    // A signal ended the program (also before the event loop ran).
    bool EndedBySignal() const { return m_bEndedBySignal; }

private:
    void EndBySignal();

    std::unique_ptr<CQuitSignals> m_pQuitSignals;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bEndedBySignal = false;
};

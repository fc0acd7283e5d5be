#pragma once
#include <memory>

#include <QApplication>

#include "app/CommandLine.h"

class CMainFrame;

// The application: creates the main frame (with its view), shows it
// maximised and opens the data file named on the command line.
class CMyKovaApp : public QApplication {
    Q_OBJECT
public:
    CMyKovaApp(int& argc, char** argv);
    ~CMyKovaApp() override;

    // Start-up with the options of the command line (action Start); false
    // (with a message on stderr) when the program cannot start.
    bool InitInstance(const SCommandLine& commandLine = {});
    CMainFrame* MainFrame() const { return m_pFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_pFrame;
};

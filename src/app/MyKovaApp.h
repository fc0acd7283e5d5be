#pragma once
#include <memory>

#include <QApplication>

class CMainFrame;

// The application: creates the main frame (with its view) and shows it
// maximised.
class CMyKovaApp : public QApplication {
    Q_OBJECT
public:
    CMyKovaApp(int& argc, char** argv);
    ~CMyKovaApp() override;

    // Start-up; false (with a message on stderr) when the program cannot start.
    bool InitInstance();
    CMainFrame* MainFrame() const { return m_pFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_pFrame;
};

#include "app/MyKovaApp.h"

#include <cstdio>
#include <exception>

#include <QFont>
#include <QScreen>

#include "app/MainFrame.h"
#include "res/Artwork.h"

CMyKovaApp::CMyKovaApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Sonivel"));
    setOrganizationName(QStringLiteral("Sonivel"));
    setApplicationVersion(ProgramVersion());
    setWindowIcon(AppIcon());
    // The windows were laid out for Arial's proportions: a face with its
    // metrics first, else the desktop's own.
    QFont f = font();
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"), f.family()});
    setFont(f);
}

CMyKovaApp::~CMyKovaApp() = default;

bool CMyKovaApp::InitInstance(const SCommandLine& commandLine)
{
    try {
        m_pFrame = std::make_unique<CMainFrame>(SViewOptions{commandLine.portPath, true});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sonivel: cannot create the main window: %s\n", e.what());
        return false;
    }
    // The window fills the screen also where no window manager maximises it.
    if (const QScreen* screen = primaryScreen())
        m_pFrame->setGeometry(screen->availableGeometry());
    m_pFrame->showMaximized();
    if (!commandLine.dataFile.isEmpty())
        m_pFrame->View()->OpenDataFile(commandLine.dataFile);
    return true;
}

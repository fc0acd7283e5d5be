#include "app/MyKovaApp.h"

#include <cstdio>
#include <exception>

#include <QDialog>
#include <QFont>
#include <QScreen>

#include "app/MainFrame.h"
#include "app/QuitSignals.h"
#include "res/Artwork.h"

CMyKovaApp::CMyKovaApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Sonivel"));
    setOrganizationName(QStringLiteral("Sonivel"));
    setApplicationVersion(ProgramVersion());
    setDesktopFileName(QStringLiteral("sonivel"));   // the installed desktop entry
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
    m_pQuitSignals = std::make_unique<CQuitSignals>([this](int) { EndBySignal(); });
    try {
        m_pFrame = std::make_unique<CMainFrame>(
            SViewOptions{commandLine.portPath, true, QString::fromStdString(DefaultJournalFolder())});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sonivel: cannot create the main window: %s\n", e.what());
        return false;
    }
    // The window comes back where it was left; the first time it fills the
    // screen, also where no window manager maximises it.
    if (m_pFrame->GeometryRestored()) {
        m_pFrame->show();
    } else {
        if (const QScreen* screen = primaryScreen())
            m_pFrame->setGeometry(screen->availableGeometry());
        m_pFrame->showMaximized();
    }
    if (!commandLine.dataFile.isEmpty() && !m_bEndedBySignal)
        m_pFrame->View()->OpenDataFile(commandLine.dataFile);
    return true;
}

void CMyKovaApp::EndBySignal()
{
    if (m_bEndedBySignal)
        return;
    m_bEndedBySignal = true;
    if (m_pFrame) {
        m_pFrame->View()->KeepJournal();
        m_pFrame->SaveSettings();
    }
    // A question on the screen ends unanswered (its answer changes nothing
    // now), so that its event loop returns; then every loop ends, without the
    // close question of the main window.
    for (int i = 0; i < 16; ++i) {
        QWidget* modal = activeModalWidget();
        if (!modal)
            break;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
    exit(0);
}

#include <cstdio>
#include <cstdlib>

#include <QElapsedTimer>
#include <QEvent>

#include "app/MainFrame.h"
#include "app/CommandLine.h"
#include "app/MyKovaApp.h"

namespace {

// SONIVEL_STARTUP_TIME=1 prints the time from the start of main to the first
// paint of the main window on stderr.
class CFirstPaintProbe : public QObject {
public:
    explicit CFirstPaintProbe(const QElapsedTimer& clock) : m_clock(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_bDone) {
            m_bDone = true;
            std::fprintf(stderr, "sonivel: first paint after %lld ms\n", static_cast<long long>(m_clock.elapsed()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    bool m_bDone = false;
};

QStringList RawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Prints the help or version text (success) or the error (failure).
int Answer(const SCommandLine& commandLine)
{
    const bool ok = commandLine.action != SCommandLine::EAction::Fail;
    std::fputs(commandLine.output.toLocal8Bit().constData(), ok ? stdout : stderr);
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    // --help and --version are answered before the application object
    // exists, so they need no display.
    const SCommandLine early = ParseCommandLine(RawArguments(argc, argv));
    if (early.action == SCommandLine::EAction::ShowHelp || early.action == SCommandLine::EAction::ShowVersion)
        return Answer(early);
    CMyKovaApp app(argc, argv);
    const SCommandLine commandLine = ParseCommandLine(QCoreApplication::arguments());
    if (commandLine.action != SCommandLine::EAction::Start)
        return Answer(commandLine);
    if (!app.InitInstance(commandLine))
        return EXIT_FAILURE;
    if (app.EndedBySignal())
        return EXIT_SUCCESS;   // SIGTERM or SIGHUP during start-up
    CFirstPaintProbe probe(clock);
    if (std::getenv("SONIVEL_STARTUP_TIME"))
        app.MainFrame()->View()->installEventFilter(&probe);
    return app.exec();
}

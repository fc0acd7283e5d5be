#include <cstdio>
#include <cstdlib>

#include <QElapsedTimer>
#include <QEvent>

#include "app/MainFrame.h"
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

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    CMyKovaApp app(argc, argv);
    if (!app.InitInstance())
        return EXIT_FAILURE;
    CFirstPaintProbe probe(clock);
    if (std::getenv("SONIVEL_STARTUP_TIME"))
        app.MainFrame()->View()->installEventFilter(&probe);
    return app.exec();
}

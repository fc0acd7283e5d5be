#pragma once
#include <functional>

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP (the system shutting down, the desktop session or the
// terminal ending) brought into the Qt event loop: the handler only writes the
// signal's number into a pipe, whose reading end a QSocketNotifier watches on
// the user-interface thread, where onSignal then runs (also inside the event
// loop of a modal dialog). One instance at a time; the destructor gives the
// two signals their default action back.
class CQuitSignals : public QObject {
    Q_OBJECT
public:
    explicit CQuitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~CQuitSignals() override;
    // False when the pipe or the handlers could not be set up (the signals
    // then keep their default action).
    bool Installed() const { return m_bInstalled; }

private:
    void Drain();

    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bInstalled = false;
};

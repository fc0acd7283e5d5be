#pragma once
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace testsupport {

// Presses Cancel in the progress dialog of long work once it is on screen,
// as a person would: from a timer that runs while the work's event loop
// turns, between Start and Stop. Pressed() tells whether it came up.
class CCancelProgress {
public:
    CCancelProgress()
    {
        m_tick.setInterval(20);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible() && !m_pressed) {
                    m_pressed = true;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
        });
    }
    void Start()
    {
        m_pressed = false;
        m_tick.start();
    }
    void Stop() { m_tick.stop(); }
    bool Pressed() const { return m_pressed; }

private:
    QTimer m_tick;
    bool m_pressed = false;
};

} // namespace testsupport

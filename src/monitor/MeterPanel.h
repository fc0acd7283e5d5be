#pragma once
#include <array>

#include <QWidget>

#include "monitor/MeterPanelLayout.h"
#include "protocol/LiveReading.h"

class QPainter;
class CMeterButton;

// Draws the LCD content of a reading on a painter that holds the meter
// picture (texts at their top-left corners, as the meter's layout gives them).
void PaintPanel(QPainter& painter, const SLiveReading& reading, sonivel::panel::SPanelState& state);

// The whole strip for one paint: the no-link picture, or the meter picture
// with a fresh LCD background and the reading on it.
QImage ComposeStrip(const SLiveReading& reading, bool linkAlive, sonivel::panel::SPanelState& state);

// The meter strip at the left of the main view, 195 x 480, with the six key
// buttons over the keys of the picture. Emits KeyPressed with the key number
// (0 Stop, 1 REC, 2 MaxMin, 3 FastSlow, 4 Level, 5 AC) when one is pressed.
class CMeterPanel : public QWidget {
    Q_OBJECT
public:
    explicit CMeterPanel(QWidget* parent = nullptr);

    // What the strip shows; the reading must outlive the panel.
    void SetReading(const SLiveReading* reading) { m_pReading = reading; }
    void SetLinkAlive(bool alive);
    bool LinkAlive() const { return m_bLinkAlive; }
    // Repaints the LCD window only (the link watchdog's rectangle).
    void RefreshLcd();

    CMeterButton* Button(int key) const { return m_buttons[static_cast<std::size_t>(key)]; }
    const sonivel::panel::SPanelState& State() const { return m_state; }

signals:
    void KeyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SLiveReading* m_pReading = nullptr;
    bool m_bLinkAlive = false;
    sonivel::panel::SPanelState m_state;
    std::array<CMeterButton*, 6> m_buttons{};
};

#pragma once
#include <QAbstractButton>

#include "monitor/MeterPanelArt.h"

// One of the meter's six keys on the panel (the panel creates six and relays
// KeyPressed). Draws its key face and, while held, moves one pixel aside.
//
// One mouse press, from button down to button up, reports its key number
// once, wherever on the button it starts and however the pointer moves: the
// button counts as hit over both the places it takes (up and held), so the
// one-pixel move does not make a pointer on its edge leave and re-enter it,
// and coming back onto the button during the same press reports nothing new.
// A programmatic click() reports once per click. Runs on the UI thread.
class CMeterButton : public QAbstractButton {
    Q_OBJECT
public:
    CMeterButton(const SMeterKey& key, QWidget* parent);
    int Key() const { return m_key.key; }

signals:
    void KeyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnDown();
    void MoveUp();

    SMeterKey m_key;
    bool m_bMouseHeld = false;   // between a left-button press and its release
    bool m_bKeySent = false;     // the held press has reported its key
};

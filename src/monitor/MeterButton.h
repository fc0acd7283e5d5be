#pragma once
#include <QAbstractButton>

#include "monitor/MeterPanelArt.h"

// One of the meter's six keys on the panel: draws its key face and, when
// pressed, moves one pixel aside and reports its key number once.
class CMeterButton : public QAbstractButton {
    Q_OBJECT
public:
    CMeterButton(const SMeterKey& key, QWidget* parent);
    int Key() const { return m_key.key; }

signals:
    void KeyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnDown();
    void OnUp();

    SMeterKey m_key;
};

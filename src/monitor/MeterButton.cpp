#include "monitor/MeterButton.h"

#include <QPainter>

#include "dialogs/Dialogs.h"

CMeterButton::CMeterButton(const SMeterKey& key, QWidget* parent) : QAbstractButton(parent), m_key(key)
{
    SetResId(this, key.id);
    setText(QString::fromLatin1(key.caption));
    setToolTip(text());
    setFocusPolicy(Qt::NoFocus);
    setGeometry(key.x, key.y, key.width, key.height);
    connect(this, &QAbstractButton::pressed, this, &CMeterButton::OnDown);
    connect(this, &QAbstractButton::released, this, &CMeterButton::OnUp);
}

void CMeterButton::OnDown()
{
    move(m_key.pressedX, m_key.pressedY);
    emit KeyPressed(m_key.key);
}

void CMeterButton::OnUp()
{
    move(m_key.x, m_key.y);
}

void CMeterButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), MeterArt().keyFaces[static_cast<std::size_t>(m_key.key)], rect());
}

#include "monitor/MeterButton.h"

#include <QMouseEvent>
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
    connect(this, &QAbstractButton::released, this, &CMeterButton::MoveUp);
}

void CMeterButton::OnDown()
{
    move(m_key.pressedX, m_key.pressedY);
    if (m_bKeySent)
        return;
    m_bKeySent = m_bMouseHeld;
    emit KeyPressed(m_key.key);
}

void CMeterButton::MoveUp()
{
    move(m_key.x, m_key.y);
}

bool CMeterButton::hitButton(const QPoint& pos) const
{
    // Both places in this button's current coordinates.
    const QRect up(m_key.x - x(), m_key.y - y(), width(), height());
    const QRect held(m_key.pressedX - x(), m_key.pressedY - y(), width(), height());
    return up.contains(pos) || held.contains(pos);
}

void CMeterButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bMouseHeld = true;
    QAbstractButton::mousePressEvent(event);
}

void CMeterButton::mouseReleaseEvent(QMouseEvent* event)
{
    QAbstractButton::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_bMouseHeld = false;
    m_bKeySent = false;
    MoveUp();   // also when the release happens off the button
}

void CMeterButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), MeterArt().keyFaces[static_cast<std::size_t>(m_key.key)], rect());
}

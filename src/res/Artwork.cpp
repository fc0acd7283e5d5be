#include "res/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kW = 17, kH = 15;

QImage Canvas()
{
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void Open(QPainter& p)
{
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(1, 3, 13, 10);
    p.setBrush(QColor(252, 226, 140));
    QPolygon lid;
    lid << QPoint(3, 6) << QPoint(16, 6) << QPoint(13, 13) << QPoint(1, 13);
    p.drawPolygon(lid);
    p.drawLine(1, 3, 5, 3);
}

void Save(QPainter& p)
{
    p.setPen(QColor(20, 30, 80));
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(2, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 9, 5);
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(5, 9, 7, 5);
}

void Export(QPainter& p)
{
    p.setPen(QColor(20, 90, 40));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 14, 12);
    p.fillRect(2, 2, 13, 3, QColor(40, 150, 70));
    for (int x = 6; x < 15; x += 4)
        p.drawLine(x, 5, x, 12);
    for (int y = 8; y < 13; y += 3)
        p.drawLine(2, y, 14, y);
}

void Run(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(10, 90, 20));
    p.setBrush(QColor(40, 180, 60));
    QPolygonF tri;
    tri << QPointF(4, 1.5) << QPointF(14.5, 7.5) << QPointF(4, 13.5);
    p.drawPolygon(tri);
}

void Stop(QPainter& p)
{
    p.setPen(QColor(110, 10, 10));
    p.setBrush(QColor(210, 40, 40));
    p.drawRect(3, 2, 10, 10);
}

void Print(QPainter& p)
{
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(160, 160, 170));
    p.drawRect(1, 5, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 9, 8, 5);
    p.drawLine(6, 11, 10, 11);
    p.fillRect(12, 7, 2, 1, QColor(40, 180, 60));
}

void About(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(20, 40, 120));
    p.setBrush(QColor(60, 110, 210));
    p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
    QFont f;
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 0.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QImage ToolbarImage(int id)
{
    void (*draw)(QPainter&) = nullptr;
    switch (id) {
    case 32790: draw = Open; break;
    case 32786: draw = Save; break;
    case 32785: draw = Export; break;
    case 32771: draw = Run; break;
    case 32772: draw = Stop; break;
    case 32802: draw = Print; break;
    case 57664: draw = About; break;
    default: return {};
    }
    QImage img = Canvas();
    QPainter p(&img);
    draw(p);
    return img;
}

QImage AppIconImage(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(25, 28, 34), 1));
    p.setBrush(QColor(70, 76, 88));
    p.drawRoundedRect(QRectF(8.5, 1.5, 15, 29), 4, 4);
    p.setBrush(QColor(128, 140, 128));
    p.drawRect(QRectF(10.5, 4.5, 11, 9));
    p.setPen(QPen(QColor(22, 28, 24), 1.4));
    p.drawLine(QPointF(12, 11), QPointF(14, 8));
    p.drawLine(QPointF(14, 8), QPointF(16, 10));
    p.drawLine(QPointF(16, 10), QPointF(18, 6));
    p.drawLine(QPointF(18, 6), QPointF(20, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 205, 212));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            p.drawRoundedRect(QRectF(11.5 + c * 5, 17 + r * 4, 4, 2.6), 1, 1);
    return img;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
    return icon;
}

#include "monitor/MeterPanelArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "monitor/MeterPanelLayout.h"

using namespace sonivel::panel;

QColor LcdBackground() { return QColor(128, 140, 128); }
QColor LcdInk() { return QColor(22, 28, 24); }

namespace {

QImage Blank(int w, int h, QColor fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// Seven segments a..g of one LCD digit, as bits (a = bit 0 .. g = bit 6).
constexpr std::array<int, 10> kSegmentsOfDigit{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

QImage DrawDigit(int d)
{
    QImage img = Blank(kDigitWidth, kDigitHeight, LcdBackground());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(LcdInk());
    // Segment geometry: a slightly slanted cell 4..22 wide, 3..50 high.
    const double left = 4, right = 21, top = 3, mid = 26.5, bottom = 50, t = 4.0, slant = 1.5;
    auto hseg = [&](double y, double sx) {
        QPolygonF poly;
        poly << QPointF(left + 1.5 + sx, y) << QPointF(left + 1.5 + t / 2 + sx, y - t / 2)
             << QPointF(right - 1.5 - t / 2 + sx, y - t / 2) << QPointF(right - 1.5 + sx, y)
             << QPointF(right - 1.5 - t / 2 + sx, y + t / 2) << QPointF(left + 1.5 + t / 2 + sx, y + t / 2);
        p.drawPolygon(poly);
    };
    auto vseg = [&](double x, double y0, double y1, double s0, double s1) {
        QPolygonF poly;
        poly << QPointF(x + s0, y0 + 1.5) << QPointF(x + t / 2 + s0, y0 + 1.5 + t / 2)
             << QPointF(x + t / 2 + s1, y1 - 1.5 - t / 2) << QPointF(x + s1, y1 - 1.5)
             << QPointF(x - t / 2 + s1, y1 - 1.5 - t / 2) << QPointF(x - t / 2 + s0, y0 + 1.5 + t / 2);
        p.drawPolygon(poly);
    };
    const int bits = kSegmentsOfDigit[static_cast<std::size_t>(d)];
    if (bits & 0x01) hseg(top + t / 2, slant);               // a
    if (bits & 0x02) vseg(right, top + t / 2, mid, slant, slant / 2);        // b
    if (bits & 0x04) vseg(right, mid, bottom - t / 2, slant / 2, 0);         // c
    if (bits & 0x08) hseg(bottom - t / 2, 0);                // d
    if (bits & 0x10) vseg(left, mid, bottom - t / 2, slant / 2, 0);          // e
    if (bits & 0x20) vseg(left, top + t / 2, mid, slant, slant / 2);         // f
    if (bits & 0x40) hseg(mid, slant / 2);                   // g
    return img;
}

QImage DrawPoint()
{
    QImage img = Blank(kPointWidth, kPointHeight, LcdBackground());
    QPainter p(&img);
    p.fillRect(1, 2, 5, 5, LcdInk());
    return img;
}

// The meter's front: body, LCD bezel and LCD window, key seats.
QImage DrawMeter(bool noLink)
{
    QImage img = Blank(kPictureWidth, kPictureHeight, QColor(170, 175, 195));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Body with a soft shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 124, 140));
    p.drawRoundedRect(QRectF(10, 10, 180, 466), 26, 26);
    QLinearGradient body(0, 0, kPictureWidth, 0);
    body.setColorAt(0.0, QColor(58, 62, 70));
    body.setColorAt(0.5, QColor(84, 89, 98));
    body.setColorAt(1.0, QColor(52, 56, 63));
    p.setBrush(body);
    p.setPen(QPen(QColor(30, 32, 36), 1.5));
    p.drawRoundedRect(QRectF(6, 5, 182, 468), 26, 26);

    // Face plate.
    p.setPen(QPen(QColor(40, 43, 48), 1));
    p.setBrush(QColor(70, 75, 84));
    p.drawRoundedRect(QRectF(16, 24, 162, 440), 18, 18);

    // Microphone grille at the top.
    p.setPen(QPen(QColor(45, 48, 54), 1.2));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(74 + i * 12, 12), QPointF(74 + i * 12, 20));

    // LCD bezel and window.
    p.setPen(QPen(QColor(30, 32, 36), 1));
    p.setBrush(QColor(150, 155, 162));
    p.drawRoundedRect(QRectF(34, 31, 128, 162), 8, 8);
    p.setBrush(QColor(40, 44, 42));
    p.drawRect(QRectF(42.5, 39.5, 111, 145));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(kLcdX, kLcdY, kLcdWidth, kLcdHeight, LcdBackground());
    p.setRenderHint(QPainter::Antialiasing);

    // Key seats under the key buttons.
    p.setPen(QPen(QColor(35, 38, 43), 1));
    p.setBrush(QColor(48, 52, 58));
    for (const SMeterKey& k : kMeterKeys)
        p.drawRoundedRect(QRectF(k.x - 3.5, k.y - 3.5, k.width + 7, k.height + 7), 6, 6);

    // A neutral legend at the bottom (no brand).
    QFont legend;
    legend.setPixelSize(9);
    legend.setBold(true);
    legend.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(legend);
    p.setPen(QColor(175, 180, 188));
    p.drawText(QRectF(16, 456, 162, 12), Qt::AlignCenter, QStringLiteral("SOUND LEVEL METER"));

    if (noLink) {
        QFont f;
        f.setPixelSize(13);
        f.setBold(true);
        const QString text = QStringLiteral("No Connection");
        // One line across the middle of the window, narrowed where the font is wide.
        const double width = QFontMetricsF(f).horizontalAdvance(text);
        if (width > kLcdWidth - 6)
            f.setStretch(static_cast<int>(100.0 * (kLcdWidth - 6) / width));
        p.setFont(f);
        p.setPen(QColor(210, 20, 20));
        p.drawText(QRectF(kLcdX, kLcdY, kLcdWidth, kLcdHeight), Qt::AlignCenter, text);
    }
    return img;
}

// One key face: a rounded key cap with its legend.
QImage DrawKeyFace(const SMeterKey& k)
{
    QImage img = Blank(k.faceWidth, k.faceHeight, QColor(48, 52, 58));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const bool red = (k.key == 1);
    QLinearGradient cap(0, 0, 0, k.faceHeight);
    cap.setColorAt(0.0, red ? QColor(205, 70, 64) : QColor(208, 212, 218));
    cap.setColorAt(1.0, red ? QColor(150, 40, 36) : QColor(150, 155, 164));
    p.setBrush(cap);
    p.setPen(QPen(QColor(25, 27, 30), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, k.faceWidth - 1, k.faceHeight - 1), 5, 5);
    if (k.key == 0) {   // Stop: a square symbol, the key is too narrow for a word
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 33, 38));
        p.drawRect(QRectF(k.faceWidth / 2.0 - 4, k.faceHeight / 2.0 - 4, 8, 8));
        return img;
    }
    static const char* const kLegends[6] = {"", "REC", "MAX\nMIN", "F/S", "LEVEL", "A/C"};
    QFont f;
    f.setPixelSize(k.key == 2 ? 8 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(red ? QColor(255, 240, 235) : QColor(30, 33, 38));
    p.drawText(QRectF(0, 0, k.faceWidth, k.faceHeight), Qt::AlignCenter,
               QString::fromLatin1(kLegends[k.key]));
    return img;
}

SMeterArt MakeArt()
{
    SMeterArt art;
    art.meter = DrawMeter(false);
    art.noLink = DrawMeter(true);
    for (int d = 0; d < 10; ++d)
        art.digits[static_cast<std::size_t>(d)] = DrawDigit(d);
    art.point = DrawPoint();
    art.segment = Blank(kSegmentWidth, kSegmentHeight, LcdInk());
    for (const SMeterKey& k : kMeterKeys)
        art.keyFaces[static_cast<std::size_t>(k.key)] = DrawKeyFace(k);
    return art;
}

} // namespace

const SMeterArt& MeterArt()
{
    static const SMeterArt art = MakeArt();
    return art;
}

#include "monitor/MeterPanel.h"

#include <cmath>

#include <QFontMetrics>
#include <QPainter>

#include "dialogs/Dialogs.h"
#include "monitor/MeterButton.h"
#include "monitor/MeterPanelArt.h"

using namespace sonivel::panel;

namespace {

// A font whose line height (ascent + descent) is cellHeight pixels and whose
// average character is about charWidth pixels wide (0: natural width); the
// returned x scale squeezes the text to that width.
struct SCellFont {
    QFont font;
    double xScale = 1.0;
};

SCellFont CellFont(const char* family, int cellHeight, int charWidth, bool bold, QFont::StyleHint hint)
{
    SCellFont cf;
    cf.font = QFont(QString::fromLatin1(family));
    cf.font.setStyleHint(hint);
    cf.font.setBold(bold);
    cf.font.setPixelSize(cellHeight);
    const int natural = QFontMetrics(cf.font).height();
    if (natural > cellHeight)
        cf.font.setPixelSize(std::max(1, cellHeight * cellHeight / natural));
    if (charWidth > 0) {
        const int avg = QFontMetrics(cf.font).averageCharWidth();
        if (avg > 0)
            cf.xScale = static_cast<double>(charWidth) / avg;
    }
    return cf;
}

// Draws text with its top-left corner at (x, y).
void TextAt(QPainter& p, const SCellFont& cf, int x, int y, const QString& text)
{
    p.save();
    p.setFont(cf.font);
    p.setPen(LcdInk());
    p.translate(x, y + QFontMetrics(cf.font).ascent());
    p.scale(cf.xScale, 1.0);
    p.drawText(0, 0, text);
    p.restore();
}

} // namespace

void PaintPanel(QPainter& p, const SLiveReading& reading, SPanelState& state)
{
    const SMeterArt& art = MeterArt();

    // Digits and decimal point.
    const std::string text = NumberText(reading, state);
    for (const SDigitPlace& d : DigitPlaces(text))
        p.drawImage(d.x, d.y, art.digits[static_cast<std::size_t>(d.digit)]);
    p.drawImage(kPointX, kPointY, art.point);

    // The meter's clock and the word TIME.
    const SCellFont clock = CellFont("Time New Roman", 24, 6, true, QFont::Serif);
    TextAt(p, clock, 66, 90, QString::fromLatin1(ClockText(reading.m_strMeterTime).c_str()));
    const SCellFont timeWord = CellFont("Time New Roman", 14, 5, false, QFont::Serif);
    TextAt(p, timeWord, 122, 99, QStringLiteral("TIME"));

    // The bar scale.
    const SBarScale bar = BarScale(reading.m_nRange, state.dBar);
    if (bar.valid) {
        const SCellFont labels = CellFont("Time New Roman", 13, 0, false, QFont::Serif);
        TextAt(p, labels, 47, 61, QString::number(bar.low));
        TextAt(p, labels, 132, 61, QString::number(bar.high));
        p.drawImage(kBarX, kBarTickY, art.segment);
        p.drawImage(kBarX, kBarY, art.segment);
        for (int i = 1; i <= bar.segments; ++i) {
            p.drawImage(kBarX + 2 * i, kBarY, art.segment);
            if (i % 5 == 0)
                p.drawImage(kBarX + 2 * i, kBarTickY, art.segment);
        }
    }

    // Mode words.
    const SCellFont words = CellFont("Status New Roman", 10, 6, false, QFont::SansSerif);
    for (const SModeWord& w : ModeWords(reading))
        TextAt(p, words, w.x, w.y, QString::fromLatin1(w.text));
}

QImage ComposeStrip(const SLiveReading& reading, bool linkAlive, SPanelState& state)
{
    const SMeterArt& art = MeterArt();
    if (!linkAlive)
        return art.noLink;
    QImage strip = art.meter.copy();
    QPainter p(&strip);
    p.fillRect(kLcdX, kLcdY, kLcdWidth, kLcdHeight, LcdBackground());
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintPanel(p, reading, state);
    return strip;
}

CMeterPanel::CMeterPanel(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kPictureWidth, kPictureHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const SMeterKey& k : kMeterKeys) {
        auto* button = new CMeterButton(k, this);
        m_buttons[static_cast<std::size_t>(k.key)] = button;
        connect(button, &CMeterButton::KeyPressed, this, &CMeterPanel::KeyPressed);
    }
}

void CMeterPanel::SetLinkAlive(bool alive)
{
    if (alive == m_bLinkAlive)
        return;
    m_bLinkAlive = alive;
    update();
}

void CMeterPanel::RefreshLcd()
{
    update(QRect(QPoint(kLcdDirtyLeft, kLcdDirtyTop), QPoint(kLcdDirtyRight - 1, kLcdDirtyBottom - 1)));
}

void CMeterPanel::paintEvent(QPaintEvent*)
{
    static const SLiveReading kNoReading;
    const QImage strip = ComposeStrip(m_pReading ? *m_pReading : kNoReading, m_bLinkAlive, m_state);
    QPainter p(this);
    p.drawImage(0, 0, strip);
}

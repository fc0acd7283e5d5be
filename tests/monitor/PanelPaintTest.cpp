#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "dialogs/Dialogs.h"
#include "monitor/MeterButton.h"
#include "monitor/MeterPanel.h"
#include "monitor/MeterPanelArt.h"

using namespace sonivel::panel;

namespace {

SLiveReading Reading(double level, int range)
{
    SLiveReading r;
    r.m_dLevel = level;
    r.m_nRange = range;
    r.m_strMeterTime = "07-12-2026,05:09:03";
    return r;
}

QImage Strip(const SLiveReading& r, SPanelState& state)
{
    return ComposeStrip(r, true, state);
}

bool Ink(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y) == LcdInk();
}

bool Background(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y) == LcdBackground();
}

// Whether any pixel of the rectangle differs from the LCD background.
bool Drawn(const QImage& img, QRect r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!Background(img, x, y))
                return true;
    return false;
}

// The digit drawn at x, judged on its middle: the decimal point may cover the
// left columns of the tenths and a mode word the last rows of a digit.
int DigitAt(const QImage& img, int x)
{
    const QRect middle(2, 0, kDigitWidth - 2, kDigitHeight - 3);
    const QImage part = img.copy(middle.translated(x, kDigitY));
    for (int d = 0; d < 10; ++d)
        if (part == MeterArt().digits[static_cast<std::size_t>(d)].copy(middle).convertToFormat(part.format()))
            return d;
    return -1;
}

} // namespace

TEST(MeterArt, PicturesHaveTheirSizesAndTheLcdWindow)
{
    const SMeterArt& art = MeterArt();
    EXPECT_EQ(art.meter.size(), QSize(195, 480));
    EXPECT_EQ(art.noLink.size(), QSize(195, 480));
    EXPECT_EQ(art.digits[8].size(), QSize(25, 53));
    EXPECT_EQ(art.point.size(), QSize(7, 8));
    EXPECT_EQ(art.segment.size(), QSize(1, 7));
    const QSize faces[6] = {{26, 30}, {39, 22}, {26, 45}, {35, 30}, {46, 25}, {43, 25}};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(art.keyFaces[static_cast<std::size_t>(k)].size(), faces[k]) << k;
    // The LCD window's corners are LCD background; just outside is not.
    for (QPoint p : {QPoint(45, 42), QPoint(150, 42), QPoint(45, 181), QPoint(150, 181)})
        EXPECT_TRUE(Background(art.meter, p.x(), p.y()));
    EXPECT_FALSE(Background(art.meter, 44, 100));
    EXPECT_FALSE(Background(art.meter, 151, 100));
    // "No Connection" in red across the middle of the window.
    bool red = false;
    for (int y = 100; y < 125; ++y)
        for (int x = 45; x < 151; ++x)
            red = red || art.noLink.pixelColor(x, y).red() > 180;
    EXPECT_TRUE(red);
    EXPECT_NE(art.meter, art.noLink);
}

TEST(PanelPaint, Level105Point3InRange3)
{
    SPanelState state;
    const QImage img = Strip(Reading(105.3, 3), state);
    EXPECT_EQ(DigitAt(img, 43), 1);
    EXPECT_EQ(DigitAt(img, 68), 0);
    EXPECT_EQ(DigitAt(img, 93), 5);
    EXPECT_EQ(DigitAt(img, 125), 3);
    EXPECT_EQ(img.copy(kPointX, kPointY, kPointWidth, kPointHeight),
              MeterArt().point.convertToFormat(img.format()));

    // Bar: the zero mark, 25 segments from x 52 to x 100, long ticks every fifth.
    EXPECT_TRUE(Ink(img, 50, 81) && Ink(img, 50, 72));
    for (int i = 1; i <= 25; ++i) {
        const int x = 50 + 2 * i;
        for (int y = 81; y < 88; ++y)
            EXPECT_TRUE(Ink(img, x, y)) << x << "," << y;
        EXPECT_TRUE(Background(img, x - 1, 81)) << x;   // one pixel gap between segments
        EXPECT_EQ(Ink(img, x, 72), i % 5 == 0) << x;
    }
    EXPECT_TRUE(Background(img, 102, 81));
    // Labels "80" and "130", "SLOW" and "dBA" drawn; no MAX, MIN, HOLD/AUTO, REC, OVER.
    EXPECT_TRUE(Drawn(img, QRect(47, 61, 14, 12)));
    EXPECT_TRUE(Drawn(img, QRect(132, 61, 18, 12)));
    EXPECT_TRUE(Drawn(img, QRect(114, 50, 20, 9)));
    EXPECT_TRUE(Drawn(img, QRect(95, 168, 16, 9)));
    EXPECT_FALSE(Drawn(img, QRect(46, 51, 18, 8)));
    EXPECT_FALSE(Drawn(img, QRect(70, 51, 16, 8)));
    EXPECT_FALSE(Drawn(img, QRect(121, 171, 25, 8)));
    EXPECT_FALSE(Drawn(img, QRect(65, 171, 25, 8)));
}

TEST(PanelPaint, ModeWordsAppearAtTheirPlaces)
{
    SLiveReading r = Reading(65.4, 4);
    r.m_bFast = true;
    r.m_bMax = true;
    r.m_bRec = true;
    SPanelState state;
    const QImage img = Strip(r, state);
    EXPECT_TRUE(Drawn(img, QRect(95, 50, 20, 9)));    // FAST
    EXPECT_FALSE(Drawn(img, QRect(124, 51, 12, 8)));  // no SLOW
    EXPECT_TRUE(Drawn(img, QRect(46, 50, 18, 9)));    // MAX
    EXPECT_TRUE(Drawn(img, QRect(65, 168, 20, 9)));   // REC
    EXPECT_TRUE(Drawn(img, QRect(120, 168, 22, 9)));  // AUTO
    EXPECT_EQ(DigitAt(img, 68), 6);
    EXPECT_EQ(DigitAt(img, 93), 5);
    EXPECT_EQ(DigitAt(img, 125), 4);
    EXPECT_FALSE(Drawn(img, QRect(45, kDigitY, 23, kDigitHeight)));   // no hundreds digit
}

TEST(PanelPaint, BarIsClampedToTheRange)
{
    SPanelState state;
    QImage img = Strip(Reading(140.0, 1), state);   // clamped to 80: n = 50
    EXPECT_TRUE(Ink(img, 150, 81) && Ink(img, 150, 72));   // the last column of the LCD
    EXPECT_TRUE(Background(img, 149, 81));
    img = Strip(Reading(130.0, 4), state);          // (130 - 30) / 2 = 50
    EXPECT_TRUE(Ink(img, 150, 81));
    EXPECT_TRUE(Background(img, 149, 81));
    img = Strip(Reading(20.0, 2), state);           // below the range: only the zero mark
    EXPECT_TRUE(Ink(img, 50, 81));
    EXPECT_TRUE(Background(img, 52, 81));
    img = Strip(Reading(60.0, 0), state);           // unknown range: no labels, no bar
    EXPECT_FALSE(Drawn(img, QRect(47, 61, 104, 27)));
}

TEST(PanelPaint, HeldDigitsAndHeldBar)
{
    SPanelState state;
    Strip(Reading(70.0, 1), state);
    SLiveReading r = Reading(45.0, 1);
    r.m_bDigitsHeld = true;   // digits stay at 70.0, the bar follows 45.0
    QImage img = Strip(r, state);
    EXPECT_EQ(DigitAt(img, 68), 7);
    EXPECT_TRUE(Ink(img, 80, 81));
    EXPECT_TRUE(Background(img, 82, 81));

    r = Reading(55.0, 1);
    r.m_bBarHeld = true;      // the bar stays at 45.0, the digits follow 55.0
    img = Strip(r, state);
    EXPECT_EQ(DigitAt(img, 68), 5);
    EXPECT_EQ(DigitAt(img, 93), 5);
    EXPECT_TRUE(Ink(img, 80, 81));
    EXPECT_TRUE(Background(img, 82, 81));
}

TEST(PanelPaint, UnusualLevelsStayInsideTheWindow)
{
    SPanelState state;
    QImage img = Strip(Reading(5.0, 1), state);   // one integer digit: at the units place
    EXPECT_EQ(DigitAt(img, 93), 5);
    EXPECT_FALSE(Drawn(img, QRect(45, kDigitY, 48, kDigitHeight)));
    // Whatever the level, the reading is drawn only inside the rectangle that
    // a refresh of the LCD repaints, so no stale ink stays beside it.
    const QRect lcd(QPoint(kLcdDirtyLeft, kLcdDirtyTop), QPoint(kLcdDirtyRight - 1, kLcdDirtyBottom - 1));
    auto outside = [&lcd](QImage img) {
        img = img.convertToFormat(QImage::Format_ARGB32);
        QPainter(&img).fillRect(lcd, Qt::black);
        return img;
    };
    const QImage frame = outside(MeterArt().meter);
    for (double v : {-12.5, -1e10, 12345.6, 1e300, std::nan(""), static_cast<double>(INFINITY)}) {
        img = Strip(Reading(v, 3), state);
        EXPECT_TRUE(outside(img) == frame) << v;
    }
    EXPECT_EQ(ComposeStrip(Reading(60.0, 1), false, state), MeterArt().noLink);
}

// Sends a mouse event as the grabbing button receives it: the pointer stays
// at panelPos on the panel while the button may have moved under it.
void MouseAt(QEvent::Type type, CMeterButton* button, QPoint panelPos)
{
    const QPoint pos = panelPos - button->pos();
    QMouseEvent event(type, pos, button->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

TEST(MeterKeys, OnePressReportsItsKeyOnceWhereverOnTheButtonAndMovesTheButton)
{
    CMeterPanel panel;
    panel.show();
    QSignalSpy keys(&panel, &CMeterPanel::KeyPressed);
    for (const SMeterKey& k : kMeterKeys) {
        CMeterButton* button = panel.Button(k.key);
        EXPECT_EQ(ResId(button), k.id);
        const QRect up(k.x, k.y, k.width, k.height);
        ASSERT_EQ(button->geometry(), up) << k.caption;
        // The edge the button moves away from when held: the pointer there is
        // off the held button.
        const QPoint step(k.pressedX - k.x, k.pressedY - k.y);
        const QPoint edge(step.x() > 0 ? up.left() : step.x() < 0 ? up.right() : up.center().x(),
                          step.y() > 0 ? up.top() : step.y() < 0 ? up.bottom() : up.center().y());
        const QPoint along = step.x() != 0 ? QPoint(0, 1) : QPoint(1, 0);
        for (QPoint start : {edge, up.center()}) {
            keys.clear();
            MouseAt(QEvent::MouseButtonPress, button, start);
            EXPECT_EQ(button->pos(), QPoint(k.pressedX, k.pressedY)) << k.caption;
            QPoint at = start;
            for (int i = 0; i < 6; ++i) {
                at += (i % 2 ? -1 : 1) * along;
                MouseAt(QEvent::MouseMove, button, at);
            }
            MouseAt(QEvent::MouseButtonRelease, button, at);
            EXPECT_EQ(button->pos(), up.topLeft()) << k.caption;
            ASSERT_EQ(keys.size(), 1) << k.caption << " from " << start.x() << "," << start.y();
            EXPECT_EQ(keys[0][0].toInt(), k.key);
        }
    }
    // Leaving the button and coming back during one press sends nothing more.
    CMeterButton* maxMin = panel.Button(2);
    keys.clear();
    MouseAt(QEvent::MouseButtonPress, maxMin, {60, 350});
    MouseAt(QEvent::MouseMove, maxMin, {10, 10});
    EXPECT_EQ(maxMin->pos(), QPoint(53, 339));
    MouseAt(QEvent::MouseMove, maxMin, {60, 350});
    MouseAt(QEvent::MouseButtonRelease, maxMin, {60, 350});
    EXPECT_EQ(keys.size(), 1);
    // The next press is a new press.
    QTest::mouseClick(maxMin, Qt::LeftButton);
    EXPECT_EQ(keys.size(), 2);
}

#pragma once
#include <array>

#include <QImage>

// The meter panel's pictures, drawn by code at start-up: the meter with its
// LCD window and keys, the same meter showing "No Connection", the ten LCD
// digits, the decimal point, one bar segment and the six key faces.
struct SMeterArt {
    QImage meter;                    // 195 x 480, link alive
    QImage noLink;                   // 195 x 480, no data from the meter
    std::array<QImage, 10> digits;   // 25 x 53 each
    QImage point;                    // 7 x 8
    QImage segment;                  // 1 x 7
    std::array<QImage, 6> keyFaces;  // by key number (0 Stop .. 5 AC)
};

// The colours of the LCD.
QColor LcdBackground();   // red 128, green 140, blue 128
QColor LcdInk();          // the dark of digits, segments and words

// The pictures, made once on first use.
const SMeterArt& MeterArt();

// One key of the meter: its button id, key number, caption, face size and
// its places on the view when up and when held down.
struct SMeterKey {
    int id;
    int key;
    const char* caption;
    int faceWidth, faceHeight;
    int x, y;                 // position when drawn up
    int pressedX, pressedY;   // position when held down
    int width, height;        // the button's own size
};
inline constexpr std::array<SMeterKey, 6> kMeterKeys{{
    {1054, 1, "REC", 39, 22, 37, 207, 38, 207, 38, 22},
    {1050, 3, "FastSlow", 35, 30, 79, 249, 79, 248, 35, 30},
    {1052, 5, "AC", 43, 25, 73, 310, 72, 310, 39, 25},
    {1051, 2, "MaxMin", 26, 45, 53, 339, 54, 339, 26, 45},
    {1053, 4, "Level", 46, 25, 74, 383, 73, 383, 45, 23},
    {1049, 0, "Stop", 26, 30, 125, 423, 124, 423, 26, 30},
}};

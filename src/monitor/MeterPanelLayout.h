#pragma once
#include <string>
#include <vector>

#include "protocol/LiveReading.h"

// Where the meter panel puts things on its 195 x 480 picture. Pure arithmetic,
// shared by the painter and its tests.
namespace sonivel::panel {

inline constexpr int kPictureWidth = 195;
inline constexpr int kPictureHeight = 480;
// The LCD window of the meter picture.
inline constexpr int kLcdX = 45, kLcdY = 42, kLcdWidth = 106, kLcdHeight = 140;
// The rectangle the link watchdog repaints (left, top, right, bottom).
inline constexpr int kLcdDirtyLeft = 41, kLcdDirtyTop = 39, kLcdDirtyRight = 166, kLcdDirtyBottom = 185;

inline constexpr int kDigitWidth = 25, kDigitHeight = 53;
inline constexpr int kDigitY = 116;
inline constexpr int kTenthsX = 125;
inline constexpr int kUnitsX = 93;
inline constexpr int kPointX = 120, kPointY = 159;
inline constexpr int kPointWidth = 7, kPointHeight = 8;
inline constexpr int kSegmentWidth = 1, kSegmentHeight = 7;
inline constexpr int kBarX = 50, kBarY = 81, kBarTickY = 72;

// The two values the panel keeps between paints.
struct SPanelState {
    double dShown = 50.0;     // the number the digits show while they are held
    double dBar = 50.0;       // the level the bar shows while it is held
};

// The number text of one paint ("%.1f"), applying the held rules to state.
std::string NumberText(const SLiveReading& reading, SPanelState& state);

struct SDigitPlace {
    int digit;   // 0..9 (a character that is not a digit shows 0)
    int x;
    int y;
};
// The digit pictures for a number text: the tenths at x 125, the integer
// digits right-aligned with the units at x 93, 25 pixels apart. Integer
// digits that would leave the LCD window on the left are not drawn.
std::vector<SDigitPlace> DigitPlaces(const std::string& text);

struct SBarScale {
    bool valid = false;     // false: range unknown, nothing drawn
    int low = 0;            // label at (47, 61)
    int high = 0;           // label at (132, 61)
    int segments = 0;       // n: segments at (50 + 2i, 81), i = 1..n
};
// The bar of range (1..4) for the bar level v.
SBarScale BarScale(int range, double v);

struct SModeWord {
    const char* text;
    int x;
    int y;
};
// The mode words shown for a reading, in drawing order.
std::vector<SModeWord> ModeWords(const SLiveReading& reading);

// The meter time without its date: the text after the first 11 characters.
std::string ClockText(const std::string& meterTime);

} // namespace sonivel::panel

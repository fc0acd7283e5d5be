#include "monitor/MeterPanelLayout.h"

#include <algorithm>
#include <cmath>

#include "common/Text.h"

namespace sonivel::panel {

std::string NumberText(const SLiveReading& reading, SPanelState& state)
{
    if (reading.m_bBarHeld) {
        state.dShown = reading.m_dLevel;
        return Format("%.1f", reading.m_dLevel);
    }
    if (reading.m_bDigitsHeld) {
        state.dBar = reading.m_dLevel;
        return Format("%.1f", state.dShown);
    }
    state.dShown = reading.m_dLevel;
    state.dBar = reading.m_dLevel;
    return Format("%.1f", reading.m_dLevel);
}

namespace {
int DigitValue(char c)
{
    return (c >= '0' && c <= '9') ? c - '0' : 0;
}
} // namespace

std::vector<SDigitPlace> DigitPlaces(const std::string& text)
{
    std::vector<SDigitPlace> places;
    const int length = static_cast<int>(text.size());
    if (length == 0)
        return places;
    places.push_back({DigitValue(text[length - 1]), kTenthsX, kDigitY});
    // Position length - 2 is the decimal point; the integer digits end at the units.
    for (int i = length - 3; i >= 0; --i) {
        const int x = kUnitsX - (length - 3 - i) * kDigitWidth;
        if (x < kLcdX - 2)
            break;
        places.push_back({DigitValue(text[i]), x, kDigitY});
    }
    return places;
}

SBarScale BarScale(int range, double v)
{
    SBarScale bar;
    int low = 0, high = 0;
    switch (range) {
    case 1: low = 30; high = 80; break;
    case 2: low = 50; high = 100; break;
    case 3: low = 80; high = 130; break;
    case 4: low = 30; high = 130; break;
    default: return bar;
    }
    bar.valid = true;
    bar.low = low;
    bar.high = high;
    if (std::isnan(v))
        v = low;
    v = std::clamp(v, static_cast<double>(low), static_cast<double>(high));
    const int steps = static_cast<int>(v - low);
    bar.segments = (range == 4) ? steps / 2 : steps;
    return bar;
}

std::vector<SModeWord> ModeWords(const SLiveReading& r)
{
    std::vector<SModeWord> words;
    words.push_back(r.m_bFast ? SModeWord{"FAST", 95, 50} : SModeWord{"SLOW", 114, 50});
    if (r.m_bMax)
        words.push_back({"MAX", 45, 50});
    if (r.m_bMin)
        words.push_back({"MIN", 70, 50});
    words.push_back(r.m_bWeightA ? SModeWord{"dBA", 95, 168} : SModeWord{"dBC", 95, 168});
    if (r.m_bRec)
        words.push_back({"REC", 65, 168});
    if (r.m_bHold)
        words.push_back({"HOLD", 120, 168});
    if (r.m_bOver)
        words.push_back({"OVER", 120, 40});
    if (r.m_nRange == 4)
        words.push_back({"AUTO", 120, 168});
    if (r.m_bUnder)
        words.push_back({"UNDER", 45, 40});
    return words;
}

std::string ClockText(const std::string& meterTime)
{
    return std::string(Mid(meterTime, 11));
}

} // namespace sonivel::panel

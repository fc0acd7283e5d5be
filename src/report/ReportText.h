#pragma once
// The texts of the report: levels, counts, times and durations as a reader
// expects them on a printed page, in UTF-8. Pure; nothing can fail.
#include <ctime>
#include <optional>
#include <string>

#include "protocol/LocalTimeStep.h"

namespace sonivel::reporttext {

inline constexpr const char* kDash = "\xE2\x80\x93";    // en dash, for ranges
inline constexpr const char* kNone = "\xE2\x80\x94";    // em dash, for a figure that is not available

// "62.3": a level to 0.1 dB; kNone when not a finite number.
std::string Level(double level);
std::string Level(const std::optional<double>& level);
// "864,000"
std::string Count(long long n);
// "08 Dec 2026 11:00:00", "08 Dec 2026", "11:00", "11:00:05"; kNone for no time.
std::string DateTime(const std::optional<SCalendarTime>& t);
std::string Date(const SCalendarTime& t);
std::string DayMonth(const SCalendarTime& t);   // "08 Dec"
std::string Clock(const SCalendarTime& t, bool seconds);
// "24 h 00 min 00 s", "12 min 30 s", "36.5 s"
std::string Duration(double seconds);
// "0.1 s", "1 s", "2.5 s"
std::string Interval(double seconds);
// The weighting's letter of a unit: "A" for "dBA", "C" for "dBC", else the unit.
std::string WeightingLetter(const std::string& unit);
// A figure's name for the weighting: Name("A", "eq") is "LAeq".
inline std::string Name(const std::string& letter, const char* suffix)
{
    return "L" + letter + suffix;
}

} // namespace sonivel::reporttext

namespace sonivel::reporttext {
// "10 Dec 2026 14:03": the local time when a report is made.
std::string Issued(std::time_t when);
} // namespace sonivel::reporttext

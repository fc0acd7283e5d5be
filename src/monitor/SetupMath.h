#pragma once
#include <array>
#include <ctime>
#include <string>

namespace sonivel {

// One sampling-interval choice, in the same order in the main view's and the
// setup dialog's combo boxes.
struct SRateChoice {
    const char* viewText;    // main view: "0.1" .. "10"
    const char* setupText;   // setup dialog: "0.1" .. "10.0"
    double seconds;
};

inline constexpr std::array<SRateChoice, 10> kRateChoices{{
    {"0.1", "0.1", 0.1}, {"0.2", "0.2", 0.2}, {"0.5", "0.5", 0.5}, {"1", "1.0", 1.0},
    {"1.5", "1.5", 1.5}, {"2", "2.0", 2.0},   {"2.5", "2.5", 2.5}, {"3", "3.0", 3.0},
    {"5", "5.0", 5.0},   {"10", "10.0", 10.0},
}};
inline constexpr int kDefaultRateIndex = 2;   // 0.5 s

// The most records a monitoring run may be set to take: a week at 0.1 s
// (6,048,000) fits.
inline constexpr int kMaxRunRecords = 9999999;

// The whole seconds of a run of records samples at seconds each. Exact for
// every choice of kRateChoices and every count up to kMaxRunRecords (at most
// 99,999,990 s).
long long CycleSeconds(int records, double seconds);

// The recording cycle of records samples at seconds each:
// "%d hour %d minute %d second".
std::string CycleText(int records, double seconds);

// The end of a run of records samples started at start: start plus the
// whole seconds of the cycle.
std::time_t CycleEnd(std::time_t start, int records, double seconds);

// A time as the setup dialog shows it: "%d-%d-%d,%d:%d:%d" (year, month, day,
// hour, minute, second of the local time, no leading zeros).
std::string SetupTimeText(std::time_t t);

} // namespace sonivel

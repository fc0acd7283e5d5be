#pragma once
#include <chrono>
#include <ctime>
#include <functional>

namespace sonivel {

// The PC clock. Everything that stamps or shows the PC's time reads it here,
// so tests can put the clock where they need it.
std::time_t Now();

// The PC clock to the millisecond: the second Now() gives and the
// milliseconds past it (0-999). The records of a monitoring run keep both.
struct SPcTime {
    std::time_t seconds = 0;
    int milli = 0;
};
SPcTime NowMs();

// Replaces the clock; an empty function restores the system clock. A clock
// set by SetClock has whole seconds (NowMs gives milli 0).
void SetClock(std::function<std::time_t()> clock);
void SetClockMs(std::function<SPcTime()> clock);

// The monotonic clock that measures intervals (the link's silence). It runs
// on when the PC clock is set or stepped; tests can replace it like Now().
using SteadyTime = std::chrono::steady_clock::time_point;
SteadyTime SteadyNow();

// Replaces the monotonic clock; an empty function restores the system's.
void SetSteadyClock(std::function<SteadyTime()> clock);

// Local calendar time of t (thread-safe localtime).
std::tm LocalTime(std::time_t t);

} // namespace sonivel

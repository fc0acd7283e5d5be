#include "common/Clock.h"

#include <mutex>
#include <utility>

namespace sonivel {
namespace {
std::mutex g_clockMutex;
std::function<std::time_t()> g_clock;
std::function<SteadyTime()> g_steadyClock;
} // namespace

std::time_t Now()
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    return g_clock ? g_clock() : std::time(nullptr);
}

void SetClock(std::function<std::time_t()> clock)
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    g_clock = std::move(clock);
}

SteadyTime SteadyNow()
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    return g_steadyClock ? g_steadyClock() : std::chrono::steady_clock::now();
}

void SetSteadyClock(std::function<SteadyTime()> clock)
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    g_steadyClock = std::move(clock);
}

std::tm LocalTime(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

} // namespace sonivel

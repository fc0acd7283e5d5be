#include "common/Clock.h"

#include <mutex>
#include <utility>

namespace sonivel {
namespace {
std::mutex g_clockMutex;
std::function<SPcTime()> g_clock;
std::function<SteadyTime()> g_steadyClock;

SPcTime SystemNow()
{
    using namespace std::chrono;
    const auto ms = floor<milliseconds>(system_clock::now()).time_since_epoch();
    const auto whole = floor<seconds>(ms);
    return {static_cast<std::time_t>(whole.count()), static_cast<int>((ms - whole).count())};
}
} // namespace

std::time_t Now()
{
    return NowMs().seconds;
}

SPcTime NowMs()
{
    std::lock_guard<std::mutex> lock(g_clockMutex);
    return g_clock ? g_clock() : SystemNow();
}

void SetClock(std::function<std::time_t()> clock)
{
    if (clock)
        SetClockMs([clock = std::move(clock)] { return SPcTime{clock(), 0}; });
    else
        SetClockMs({});
}

void SetClockMs(std::function<SPcTime()> clock)
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

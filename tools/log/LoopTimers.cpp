#include "LoopTimers.h"

#include <algorithm>

void CLoopTimers::SetTimer(int id, int periodMs)
{
    const auto period = std::chrono::milliseconds(std::max(periodMs, 1));
    m_timers[id] = {period, Clock::now() + period};
}

void CLoopTimers::KillTimer(int id)
{
    m_timers.erase(id);
}

CLoopTimers::Clock::duration CLoopTimers::UntilNext(Clock::time_point now, Clock::duration fallback) const
{
    Clock::duration wait = fallback;
    for (const auto& [id, t] : m_timers)
        wait = std::min(wait, std::max(Clock::duration::zero(), t.due - now));
    return wait;
}

std::vector<int> CLoopTimers::TakeDue(Clock::time_point now)
{
    std::vector<int> due;
    for (auto& [id, t] : m_timers) {
        if (t.due > now)
            continue;
        due.push_back(id);
        t.due += t.period;
        if (t.due <= now)   // fell behind: no burst of catch-up ticks
            t.due = now + t.period;
    }
    return due;
}

#pragma once
#include <chrono>
#include <map>
#include <vector>

#include "monitor/MonitorRun.h"

// Window-style timers for a plain main loop: SetTimer(id, ms) starts (or
// restarts) a periodic timer, KillTimer(id) stops it; TakeDue() gives the ids
// whose period has passed, each at most once per call.
class CLoopTimers : public IRunTimers {
public:
    using Clock = std::chrono::steady_clock;

    void SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    bool IsSet(int id) const { return m_timers.count(id) != 0; }

    // Time until the next timer is due (zero if one is due), or fallback.
    Clock::duration UntilNext(Clock::time_point now, Clock::duration fallback) const;
    // The due timers, in id order; each is re-armed one period on.
    std::vector<int> TakeDue(Clock::time_point now);

private:
    struct STimer {
        Clock::duration period;
        Clock::time_point due;
    };
    std::map<int, STimer> m_timers;
};

#pragma once
#include <ctime>

// A local calendar time as the data logger's group headers give it.
struct SCalendarTime {
    int year = 2000, month = 1, day = 1;   // month 1-12
    int hour = 0, minute = 0, second = 0;  // hour 0-23
    bool operator==(const SCalendarTime&) const = default;
};

// Whether the fields name a real calendar time from 1970 on (month 1-12, a
// day that the month has, hour 0-23, minute and second 0-59).
bool IsValidCalendarTime(const SCalendarTime& t);

// Steps a local time by whole seconds with exactly the results of
// localtime(mktime(fields, tm_isdst = -1) + seconds), step after step.
// mktime is slow (it may look at the zone file on every call), so it is
// called once at the start and afterwards only where the zone's UTC offset
// changes within a day of the current time, the only place where turning
// the fields back into a time can give a different instant. (The offset is
// probed a day apart: two changes within one day that cancel each other out
// would go unseen; no zone has them.)
class CLocalTimeStepper {
public:
    // False when t is not a valid calendar time; the stepper is then unusable.
    bool Start(const SCalendarTime& t);
    // The time `seconds` after the current one; it becomes the current one.
    const SCalendarTime& Advance(long seconds);
    const SCalendarTime& Current() const { return m_current; }

private:
    bool SteadyAround(std::time_t t, long offset);

    SCalendarTime m_current;
    std::time_t m_instant = 0;     // an instant whose local time is m_current
    bool m_bUnambiguous = false;   // mktime(m_current) is surely m_instant

    // Instants over which the zone's UTC offset is known to be m_nOffset,
    // probed a day apart, so that a step rarely needs more than one localtime.
    bool m_bSteady = false;
    std::time_t m_steadyFrom = 0, m_steadyTo = 0;
    long m_nOffset = 0;
};

// The instant of a local time with the C library's own choice of daylight
// saving time (tm_isdst = -1); -1 when it cannot be built.
std::time_t MakeLocalTime(const SCalendarTime& t);

#include "protocol/LocalTimeStep.h"

#include "common/Clock.h"

using sonivel::LocalTime;

namespace {

// Wider than any change of a zone's UTC offset.
constexpr long kOffsetWindow = 26L * 3600;

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

SCalendarTime FromTm(const std::tm& tm)
{
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

} // namespace

bool IsValidCalendarTime(const SCalendarTime& t)
{
    return t.year >= 1970 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

std::time_t MakeLocalTime(const SCalendarTime& t)
{
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

bool CLocalTimeStepper::Start(const SCalendarTime& t)
{
    if (!IsValidCalendarTime(t))
        return false;
    const std::time_t instant = MakeLocalTime(t);
    if (instant == static_cast<std::time_t>(-1))
        return false;
    m_current = t;
    m_instant = instant;
    m_bUnambiguous = true;   // mktime gave this very instant
    return true;
}

const SCalendarTime& CLocalTimeStepper::Advance(long seconds)
{
    if (!m_bUnambiguous) {
        const std::time_t instant = MakeLocalTime(m_current);
        if (instant != static_cast<std::time_t>(-1))
            m_instant = instant;
    }
    m_instant += seconds;
    const std::tm now = LocalTime(m_instant);
    m_current = FromTm(now);
    // A local time can name two instants only near a change of the offset;
    // with the same offset a day before and after there is none.
    m_bUnambiguous = SteadyAround(m_instant, now.tm_gmtoff);
    return m_current;
}

bool CLocalTimeStepper::SteadyAround(std::time_t t, long offset)
{
    if (!m_bSteady || offset != m_nOffset || t - kOffsetWindow < m_steadyFrom) {
        m_bSteady = LocalTime(t - kOffsetWindow).tm_gmtoff == offset;
        if (!m_bSteady)
            return false;
        m_nOffset = offset;
        m_steadyFrom = t - kOffsetWindow;
        m_steadyTo = t;
    }
    while (m_steadyTo < t + kOffsetWindow) {
        const std::time_t next = m_steadyTo + kOffsetWindow;
        if (LocalTime(next).tm_gmtoff != offset)
            return false;
        m_steadyTo = next;
    }
    return true;
}

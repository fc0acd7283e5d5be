#pragma once
#include <ctime>

namespace testsupport {

// The calendar fields of a local date and time (month 1-12).
inline std::tm LocalFields(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return tm;
}

// The PC time of a local date and time, as the clock would give it.
inline std::time_t LocalMoment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    std::tm tm = LocalFields(year, month, day, hour, minute, second);
    return std::mktime(&tm);
}

} // namespace testsupport

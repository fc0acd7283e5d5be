#pragma once
#include <chrono>
#include <string>

// The PC's local time as ISO 8601 with milliseconds and the UTC offset,
// "2026-12-08T11:01:19.512+01:00": the time stamp of live lines and of the
// link reports of sonivel-log. Any thread.
std::string PcTimeText(std::chrono::system_clock::time_point t);
inline std::string PcTimeNow()
{
    return PcTimeText(std::chrono::system_clock::now());
}

#pragma once
#include <ctime>
#include <string>

namespace sonivel {

// A local time as ISO 8601 with milliseconds and the zone's UTC offset at
// that instant, "2026-12-08T11:01:19.512+01:00" (milli 0-999). The time
// stamp of the command-line tool's lines and of the CSV export. Any thread.
std::string IsoLocalTimeText(std::time_t seconds, long milli);

} // namespace sonivel

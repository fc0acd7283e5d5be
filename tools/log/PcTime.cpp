#include "PcTime.h"

#include <cstdlib>

#include "common/Clock.h"
#include "common/Text.h"

std::string PcTimeText(std::chrono::system_clock::time_point t)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
    const long milli = static_cast<long>(ms - static_cast<long long>(seconds) * 1000);
    const std::tm tm = sonivel::LocalTime(seconds);
    const long offset = tm.tm_gmtoff / 60;   // minutes east of UTC
    return sonivel::Format("%.4d-%.2d-%.2dT%.2d:%.2d:%.2d.%.3ld%c%.2ld:%.2ld", tm.tm_year + 1900, tm.tm_mon + 1,
                           tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, milli, offset < 0 ? '-' : '+',
                           std::labs(offset) / 60, std::labs(offset) % 60);
}

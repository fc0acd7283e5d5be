#include "common/IsoTime.h"

#include <cstdlib>

#include "common/Clock.h"
#include "common/Text.h"

namespace sonivel {

std::string IsoLocalTimeText(std::time_t seconds, long milli)
{
    const std::tm tm = LocalTime(seconds);
    const long offset = tm.tm_gmtoff / 60;   // minutes east of UTC
    return Format("%.4d-%.2d-%.2dT%.2d:%.2d:%.2d.%.3ld%c%.2ld:%.2ld", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, milli, offset < 0 ? '-' : '+',
                  std::labs(offset) / 60, std::labs(offset) % 60);
}

} // namespace sonivel

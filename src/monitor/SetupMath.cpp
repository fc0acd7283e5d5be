#include "monitor/SetupMath.h"

#include "common/Clock.h"
#include "common/Text.h"

namespace sonivel {

std::string CycleText(int records, double seconds)
{
    const double total = records * seconds;
    const int hours = static_cast<int>(total / 3600);
    const int minutes = static_cast<int>((total - hours * 3600.0) / 60);
    const int rest = static_cast<int>(total - hours * 3600.0 - minutes * 60.0);
    return Format("%d hour %d minute %d second", hours, minutes, rest);
}

std::time_t CycleEnd(std::time_t start, int records, double seconds)
{
    return start + static_cast<std::time_t>(records * seconds);
}

std::string SetupTimeText(std::time_t t)
{
    const std::tm tm = LocalTime(t);
    return Format("%d-%d-%d,%d:%d:%d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
}

} // namespace sonivel

#include "monitor/SetupMath.h"

#include "common/Clock.h"
#include "common/Text.h"

namespace sonivel {

long long CycleSeconds(int records, double seconds)
{
    // The product of an int and a double is taken in double: exact to far
    // beyond any count, and never a hair below a whole second for the choices.
    return static_cast<long long>(static_cast<double>(records) * seconds);
}

std::string CycleText(int records, double seconds)
{
    const long long total = CycleSeconds(records, seconds);
    return Format("%lld hour %lld minute %lld second", total / 3600, total % 3600 / 60, total % 60);
}

std::time_t CycleEnd(std::time_t start, int records, double seconds)
{
    return start + static_cast<std::time_t>(CycleSeconds(records, seconds));
}

std::string SetupTimeText(std::time_t t)
{
    const std::tm tm = LocalTime(t);
    return Format("%d-%d-%d,%d:%d:%d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
}

} // namespace sonivel

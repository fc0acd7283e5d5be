#include "files/FileNames.h"

#include "common/Clock.h"
#include "common/Text.h"

namespace sonivel {

std::string InitialFileName(std::time_t when, const char* extension)
{
    const std::tm t = LocalTime(when);
    return Format("%d-%d-%d %d-%d.%s", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, extension);
}

std::string InitialFileName(const char* extension)
{
    return InitialFileName(Now(), extension);
}

} // namespace sonivel

#include "ArgParse.h"

#include <cmath>
#include <cstdlib>

namespace toolargs {

bool ToNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    return *text != '\0' && end && *end == '\0';
}

bool NextText(int argc, char** argv, int& i, std::string& value)
{
    if (i + 1 >= argc)
        return false;
    value = argv[++i];
    return true;
}

bool NextNumber(int argc, char** argv, int& i, double& value, double min, bool whole)
{
    // Whole numbers are those a long holds exactly.
    constexpr double kWholeLimit = 1e15;
    if (i + 1 >= argc || !ToNumber(argv[i + 1], value) || !(value >= min))
        return false;
    if (whole && !(std::fabs(value) <= kWholeLimit && value == std::trunc(value)))
        return false;
    ++i;
    return true;
}

} // namespace toolargs

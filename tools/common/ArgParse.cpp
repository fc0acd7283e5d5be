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

namespace toolargs {

CSplitArgs::CSplitArgs(int argc, char** argv)
{
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t eq = arg.find('=');
        if (i > 0 && arg.rfind("--", 0) == 0 && eq != std::string::npos && eq > 2) {
            m_args.push_back(arg.substr(0, eq));
            m_args.push_back(arg.substr(eq + 1));
        } else {
            m_args.push_back(arg);
        }
    }
    for (std::string& a : m_args)
        m_pointers.push_back(a.data());
    m_pointers.push_back(nullptr);
}

} // namespace toolargs

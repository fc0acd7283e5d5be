#include "RunNames.h"

#include <cstdio>
#include <filesystem>
#include <vector>

bool ParseRunTime(std::string_view text, std::tm& tm)
{
    // The run's time text is "%.2d-%.2d-%d,%.2d:%.2d:%.2d".
    const std::string copy(text);
    tm = std::tm{};
    int consumed = 0;
    if (std::sscanf(copy.c_str(), "%2d-%2d-%d,%2d:%2d:%2d%n", &tm.tm_mday, &tm.tm_mon, &tm.tm_year, &tm.tm_hour,
                    &tm.tm_min, &tm.tm_sec, &consumed) != 6 ||
        consumed != static_cast<int>(copy.size()))
        return false;
    tm.tm_mon -= 1;
    tm.tm_year -= 1900;
    tm.tm_isdst = -1;
    return true;
}

long long PeriodOf(const std::tm& tm, ERotate rotate)
{
    const long long day = (tm.tm_year + 1900LL) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday;
    switch (rotate) {
    case ERotate::Hourly: return day * 100 + tm.tm_hour;
    case ERotate::Daily: return day;
    case ERotate::None: break;
    }
    return 0;
}

std::string ExpandName(const std::string& pattern, const std::tm& tm)
{
    if (pattern.find('%') == std::string::npos)
        return pattern;
    // The week day, day of the year and time zone fields need a full local time.
    std::tm full = tm;
    full.tm_isdst = -1;
    const std::time_t t = std::mktime(&full);
    if (t == static_cast<std::time_t>(-1))
        full = tm;
    std::vector<char> out(pattern.size() * 8 + 256);
    const std::size_t n = std::strftime(out.data(), out.size(), pattern.c_str(), &full);
    return std::string(out.data(), n);
}

bool SameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    std::error_code ea, eb;
    const fs::path ca = fs::weakly_canonical(fs::absolute(a, ea), ea);
    const fs::path cb = fs::weakly_canonical(fs::absolute(b, eb), eb);
    return !ea && !eb && ca == cb;
}

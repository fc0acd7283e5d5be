#include "report/ReportText.h"

#include <cmath>

#include "common/Text.h"

namespace sonivel::reporttext {

namespace {
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}

std::string Level(double level)
{
    return std::isfinite(level) ? Format("%.1f", level) : kNone;
}

std::string Level(const std::optional<double>& level)
{
    return level ? Level(*level) : kNone;
}

std::string Count(long long n)
{
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string DayMonth(const SCalendarTime& t)
{
    const int m = t.month >= 1 && t.month <= 12 ? t.month - 1 : 0;
    return Format("%.2d %s", t.day, kMonths[m]);
}

std::string Date(const SCalendarTime& t)
{
    return Format("%s %d", DayMonth(t).c_str(), t.year);
}

std::string Clock(const SCalendarTime& t, bool seconds)
{
    return seconds ? Format("%.2d:%.2d:%.2d", t.hour, t.minute, t.second) : Format("%.2d:%.2d", t.hour, t.minute);
}

std::string DateTime(const std::optional<SCalendarTime>& t)
{
    return t ? Date(*t) + " " + Clock(*t, true) : kNone;
}

std::string Duration(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return kNone;
    const double tenths = std::round(seconds * 10);
    const auto whole = static_cast<long long>(tenths / 10);
    const int tenth = static_cast<int>(std::fmod(tenths, 10.0));
    const std::string sec = tenth ? Format("%.2lld.%d s", whole % 60, tenth) : Format("%.2lld s", whole % 60);
    if (whole >= 3600)
        return Format("%lld h %.2lld min ", whole / 3600, whole / 60 % 60) + sec;
    if (whole >= 60)
        return Format("%lld min ", whole / 60) + sec;
    return tenth ? Format("%lld.%d s", whole, tenth) : Format("%lld s", whole);
}

std::string Interval(double seconds)
{
    return Format("%g s", seconds);
}

std::string WeightingLetter(const std::string& unit)
{
    return unit == "dBA" ? "A" : unit == "dBC" ? "C" : unit;
}

} // namespace sonivel::reporttext

namespace sonivel::reporttext {

std::string Issued(std::time_t when)
{
    std::tm tm{};
    localtime_r(&when, &tm);
    const SCalendarTime t{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return Date(t) + " " + Clock(t, false);
}

} // namespace sonivel::reporttext

#include "graph/TimeAxis.h"

#include <cctype>
#include <climits>
#include <cstdint>

#include "common/Clock.h"
#include "common/Text.h"

namespace sonivel {
namespace {

// One "%d" of the C library's scanf: blanks skipped, an optional sign, at
// least one digit. Values are saturated instead of overflowing.
bool ReadNumber(std::string_view text, std::size_t& pos, long long& value)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t digits = pos;
    value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        if (value < 1000000000000LL)
            value = value * 10 + (text[pos] - '0');
    }
    if (pos == digits)
        return false;
    if (negative)
        value = -value;
    return true;
}

bool ReadLiteral(std::string_view text, std::size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool IsLeapYear(long long y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(long long month, long long year)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

} // namespace

std::optional<SCalendarTime> ParseDateTimeFields(std::string_view text)
{
    long long f[6];
    const char separators[5] = {'-', '-', ',', ':', ':'};
    std::size_t pos = 0;
    for (int k = 0; k < 6; ++k) {
        if (!ReadNumber(text, pos, f[k]))
            return std::nullopt;
        if (k < 5 && !ReadLiteral(text, pos, separators[k]))
            return std::nullopt;
    }
    const long long day = f[0], month = f[1], year = f[2], hour = f[3], minute = f[4], second = f[5];
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year)
        || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return SCalendarTime{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                         static_cast<int>(hour), static_cast<int>(minute), static_cast<int>(second)};
}

std::optional<std::time_t> ParseDateTime(std::string_view text)
{
    const std::optional<SCalendarTime> f = ParseDateTimeFields(text);
    if (!f)
        return std::nullopt;
    std::tm tm{};
    tm.tm_mday = f->day;
    tm.tm_mon = f->month - 1;
    tm.tm_year = f->year - 1900;
    tm.tm_hour = f->hour;
    tm.tm_min = f->minute;
    tm.tm_sec = f->second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return t;
}

std::string FormatFullDateTime(std::time_t t)
{
    const std::tm tm = LocalTime(t);
    return Format("%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour,
                  tm.tm_min, tm.tm_sec);
}

std::string FormatClock(std::time_t t)
{
    const std::tm tm = LocalTime(t);
    return Format("%.2d:%.2d:%.2d", tm.tm_hour, tm.tm_min, tm.tm_sec);
}

int TimeTickColumn(const SChartState& s, int t)
{
    return t * s.m_nW / 5 + kPlotLeft;
}

namespace {

// The time of sample idx outside the records: the nearest end record's time
// (the placeholder at sample 0 for an empty list) plus the sampling steps
// between them, so times keep increasing on both sides of the data.
std::optional<std::time_t> TimeBeyondRecords(const CRecordList& records, long long idx)
{
    const std::size_t n = records.GetSize();
    const std::size_t end = n == 0 || idx < 0 ? 0 : n - 1;
    const std::string endTime = n > 0 ? records.GetAt(end).m_strTime : std::string(kPlaceholderTime);
    const std::string_view text = endTime;
    const double rate = n > 0 ? records.GetAt(end).m_dSampleRate : 1.0;
    const std::optional<std::time_t> base = ParseDateTime(text);
    if (!base)
        return std::nullopt;
    const double seconds = static_cast<double>(idx - static_cast<long long>(end)) * rate;
    if (!(seconds > -1e12 && seconds < 1e12))   // a broken rate makes no time
        return std::nullopt;
    return *base + static_cast<std::time_t>(seconds);
}

} // namespace

STimeAxis TimeAxisLabels(const SChartState& s, const CRecordList& records)
{
    STimeAxis axis;
    const std::size_t n = records.GetSize();
    for (int t = 0; t <= 5; ++t) {
        STimeTick& tick = axis.ticks[t];
        // The sample under the tick's column, counted from the view's offset.
        const long long idx = ColumnToIndex(s, TimeTickColumn(s, t));
        if (idx >= 0 && static_cast<unsigned long long>(idx) < n) {
            tick.full = records.GetAt(static_cast<std::size_t>(idx)).m_strTime;
            const std::size_t comma = tick.full.find(',');
            tick.shown = comma == std::string::npos ? tick.full : tick.full.substr(comma + 1);
        } else {
            const std::optional<std::time_t> time = TimeBeyondRecords(records, idx);
            if (!time) {
                axis.failed = true;
                return axis;
            }
            tick.full = FormatFullDateTime(*time);
            tick.shown = FormatClock(*time);
        }
        axis.count = t + 1;
    }
    return axis;
}

} // namespace sonivel

#include "records/RecordTime.h"

#include <algorithm>

namespace sonivel {
namespace {

constexpr std::int64_t kDay = 86400;

// Days since 01-01-1970 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct SCivil {
    std::int64_t year;
    unsigned month, day;
};

SCivil CivilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

unsigned DaysInMonth(unsigned y, unsigned m)
{
    static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// Digits text[at, at + n) as a number; false when one is not a digit.
bool Digits(std::string_view text, std::size_t at, std::size_t n, unsigned& value)
{
    value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return true;
}

char* Put2(char* out, unsigned v)
{
    *out++ = static_cast<char>('0' + v / 10 % 10);
    *out++ = static_cast<char>('0' + v % 10);
    return out;
}

// The date of day (days since 01-01-1970) as "dd-mm-yyyy," into out; returns its end.
char* PutDate(std::int64_t day, char* out)
{
    const SCivil c = CivilFromDays(day);
    out = Put2(out, c.day);
    *out++ = '-';
    out = Put2(out, c.month);
    *out++ = '-';
    const std::string year = std::to_string(c.year);
    out = std::copy(year.begin(), year.end(), out);
    *out++ = ',';
    return out;
}

// The clock of the second rest of a day (0-86399) into out; returns its end.
char* PutClock(std::int64_t rest, ETimeStyle style, char* out)
{
    const auto hour = static_cast<unsigned>(rest / 3600);
    if (style == ETimeStyle::Padded || hour >= 10)
        out = Put2(out, hour);
    else
        *out++ = static_cast<char>('0' + hour);
    *out++ = ':';
    out = Put2(out, static_cast<unsigned>(rest / 60 % 60));
    *out++ = ':';
    return Put2(out, static_cast<unsigned>(rest % 60));
}

} // namespace

bool PackTimeText(std::string_view text, SPackedTime& packed)
{
    if (text.size() != 19 && text.size() != 18)
        return false;
    const std::size_t h = text.size() == 19 ? 2 : 1;   // hour digits
    unsigned d = 0, mo = 0, y = 0, hh = 0, mi = 0, s = 0;
    if (text[2] != '-' || text[5] != '-' || text[10] != ',' || text[11 + h] != ':' || text[14 + h] != ':')
        return false;
    if (!Digits(text, 0, 2, d) || !Digits(text, 3, 2, mo) || !Digits(text, 6, 4, y) || !Digits(text, 11, h, hh) ||
        !Digits(text, 12 + h, 2, mi) || !Digits(text, 15 + h, 2, s))
        return false;
    // Exactly the texts UnpackTimeText makes: a real date of a four-digit
    // year, a real time of day.
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || y < 1000 || hh > 23 || mi > 59 || s > 59)
        return false;
    packed.seconds = DaysFromCivil(y, mo, d) * kDay + hh * 3600 + mi * 60 + s;
    packed.style = h == 2 ? ETimeStyle::Padded : ETimeStyle::ShortHour;
    return true;
}

std::string UnpackTimeText(const SPackedTime& packed)
{
    CTimeTexts texts;
    return std::string(texts.Text(packed));
}

std::string_view CTimeTexts::Text(const SPackedTime& packed)
{
    if (m_bClock && packed.seconds == m_seconds && packed.style == m_style)
        return {m_text, m_end};
    std::int64_t day = packed.seconds / kDay;
    std::int64_t rest = packed.seconds % kDay;
    if (rest < 0) {
        rest += kDay;
        --day;
    }
    if (!m_bDate || day != m_day) {
        m_bDate = false;
        m_dateEnd = static_cast<std::size_t>(PutDate(day, m_text) - m_text);
        m_day = day;
        m_bDate = true;
    }
    m_end = static_cast<std::size_t>(PutClock(rest, packed.style, m_text + m_dateEnd) - m_text);
    m_seconds = packed.seconds;
    m_style = packed.style;
    m_bClock = true;
    return {m_text, m_end};
}

} // namespace sonivel

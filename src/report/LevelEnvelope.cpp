#include "report/LevelEnvelope.h"

#include <algorithm>
#include <cmath>

namespace sonivel {

namespace {

constexpr long long kDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void Merge(SEnvelopeColumn& into, const SEnvelopeColumn& from)
{
    if (!from.any)
        return;
    if (!into.any)
        into = from;
    else
        into.min = std::min(into.min, from.min), into.max = std::max(into.max, from.max);
}

} // namespace

long long CalendarSeconds(const SCalendarTime& t)
{
    return DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) * kDay +
           t.hour * 3600LL + t.minute * 60LL + t.second;
}

SCalendarTime CalendarOfSeconds(long long seconds)
{
    long long days = seconds / kDay, rest = seconds % kDay;
    if (rest < 0)
        rest += kDay, --days;
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    SCalendarTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

double CRecordTimeline::Place(const std::optional<SCalendarTime>& time, double interval)
{
    double place = m_any ? m_last + interval : 0;
    if (time && !m_origin) {
        m_origin = time;
        m_originSeconds = CalendarSeconds(*time);
        m_lastSecond = 0, m_inSecond = 0;
        place = 0;
        // Records before the first readable time are drawn before it.
    } else if (time) {
        const long long second = CalendarSeconds(*time) - m_originSeconds;
        if (second == m_lastSecond) {
            ++m_inSecond;
            place = std::max(m_last, second + std::min(m_inSecond * interval, 1.0 - 1e-6));
        } else if (second > m_lastSecond) {
            m_lastSecond = second, m_inSecond = 0;
            place = std::max(m_last, static_cast<double>(second));
        }
    }
    m_any = true;
    m_last = std::max(place, m_last);
    return m_last;
}

CLevelEnvelope::CLevelEnvelope(std::size_t columns) : m_limit(std::max<std::size_t>(columns, 1) * 2) {}

void CLevelEnvelope::Halve()
{
    for (std::size_t i = 0; i < m_buckets.size(); ++i) {
        SEnvelopeColumn merged = m_buckets[i];
        if (i % 2 == 0 && i + 1 < m_buckets.size())
            Merge(merged, m_buckets[i + 1]);
        if (i % 2 == 0)
            m_buckets[i / 2] = merged;
    }
    m_buckets.resize((m_buckets.size() + 1) / 2);
    m_width *= 2;
}

void CLevelEnvelope::Add(double place, double interval, double level)
{
    if (!std::isfinite(level) || !std::isfinite(place) || !std::isfinite(interval))
        return;
    place = std::max(place, 0.0);
    const double end = place + std::max(interval, 0.0);
    m_end = std::max(m_end, end);
    while (m_end / m_width > static_cast<double>(m_limit))
        Halve();
    const auto first = static_cast<std::size_t>(place / m_width);
    // The bucket where the level ends; a level held for no time sits in one.
    const double endBucket = std::ceil(end / m_width) - 1;
    const auto last = std::max(first, endBucket > 0 ? static_cast<std::size_t>(endBucket) : 0);
    if (m_buckets.size() <= last)
        m_buckets.resize(last + 1);
    for (std::size_t b = first; b <= last; ++b)
        Merge(m_buckets[b], {true, level, level});
}

std::vector<SEnvelopeColumn> CLevelEnvelope::Columns(std::size_t n) const
{
    std::vector<SEnvelopeColumn> columns(n);
    if (n == 0 || m_end <= 0)
        return columns;
    const double perColumn = m_end / static_cast<double>(n);
    for (std::size_t b = 0; b < m_buckets.size(); ++b) {
        if (!m_buckets[b].any)
            continue;
        // The columns the bucket overlaps, [from, to).
        const double from = static_cast<double>(b) * m_width / perColumn;
        const double to = static_cast<double>(b + 1) * m_width / perColumn;
        const auto c0 = std::min(n - 1, static_cast<std::size_t>(from));
        const auto c1 = std::clamp(static_cast<std::size_t>(std::ceil(to)), c0 + 1, n);
        for (std::size_t c = c0; c < c1; ++c)
            Merge(columns[c], m_buckets[b]);
    }
    return columns;
}

} // namespace sonivel

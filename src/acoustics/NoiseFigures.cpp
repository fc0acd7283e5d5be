#include "acoustics/NoiseFigures.h"

#include <cmath>

#include "graph/TimeAxis.h"

namespace sonivel {
namespace {

double Energy(double level)
{
    return std::pow(10.0, level / 10);
}

double Level(double energySum, long long count)
{
    return 10 * std::log10(energySum / static_cast<double>(count));
}

long long HourKey(const SCalendarTime& t)
{
    return ((static_cast<long long>(t.year) * 100 + t.month) * 100 + t.day) * 100 + t.hour;
}

} // namespace

void CRunningFigures::JoinHour(std::map<long long, SEnergy>& hours) const
{
    if (m_hour.count == 0)
        return;
    SEnergy& h = hours[m_hourKey];
    h.sum += m_hour.sum;
    h.count += m_hour.count;
}

void CRunningFigures::Add(double level, const std::string& timeText, double sampleRate)
{
    if (!m_hist.Add(level))
        return;
    const std::optional<SCalendarTime> time = ParseDateTimeFields(timeText);
    const bool first = m_hist.Count() == 1;
    if (first) {
        m_rate = sampleRate;
        m_start = time;
    }
    m_end = time;
    if (first || level > m_max)
        m_max = level, m_maxTime = time;
    if (first || level < m_min)
        m_min = level, m_minTime = time;
    m_levelSum += level;
    const double e = Energy(level);
    m_all.Add(e);
    if (!time)
        return;
    const long long key = HourKey(*time);
    if (key != m_hourKey) {
        JoinHour(m_hours);
        m_hour = {};
        m_hourKey = key;
    }
    m_hour.Add(e);
    if (time->hour >= 7 && time->hour < 19)
        m_day.Add(e);
    else if (time->hour >= 19 && time->hour < 23)
        m_evening.Add(e);
    else
        m_night.Add(e);
}

SNoiseFigures CRunningFigures::Figures() const
{
    SNoiseFigures f;
    f.count = m_hist.Count();
    f.start = m_start;
    f.end = m_end;
    f.durationS = static_cast<double>(f.count) * m_rate;
    f.lmax = m_max;
    f.lmaxTime = m_maxTime;
    f.lmin = m_min;
    f.lminTime = m_minTime;
    f.average = m_levelSum / static_cast<double>(f.count);
    f.leq = Level(m_all.sum, m_all.count);
    f.sel = f.leq + 10 * std::log10(f.durationS);
    f.l5 = m_hist.Percentile(0.95);
    f.l10 = m_hist.Percentile(0.90);
    f.l50 = m_hist.Percentile(0.50);
    f.l90 = m_hist.Percentile(0.10);
    f.l95 = m_hist.Percentile(0.05);
    std::map<long long, SEnergy> hours = m_hours;
    JoinHour(hours);
    for (const auto& [key, energy] : hours) {
        const int h = static_cast<int>(key % 100), d = static_cast<int>(key / 100 % 100);
        const int mo = static_cast<int>(key / 10000 % 100), y = static_cast<int>(key / 1000000);
        f.hourly.push_back({SCalendarTime{y, mo, d, h, 0, 0}, Level(energy.sum, energy.count), energy.count});
    }
    auto period = [](const SEnergy& e) {
        return e.count ? std::optional<double>(Level(e.sum, e.count)) : std::nullopt;
    };
    f.lday = period(m_day);
    f.levening = period(m_evening);
    f.lnight = period(m_night);
    if (f.lday && f.levening && f.lnight)
        f.lden = 10 * std::log10((12 * Energy(*f.lday) + 4 * Energy(*f.levening + 5) + 8 * Energy(*f.lnight + 10)) / 24);
    return f;
}

void CFiguresByWeighting::Add(const CObjData& record)
{
    auto it = m_list.begin();
    while (it != m_list.end() && it->first != record.m_strUnit)
        ++it;
    if (it == m_list.end()) {
        m_list.emplace_back(record.m_strUnit, CRunningFigures{});
        it = m_list.end() - 1;
    }
    it->second.Add(record.m_dValue, record.m_strTime, record.m_dSampleRate);
}

} // namespace sonivel

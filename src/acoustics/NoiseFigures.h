#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "acoustics/LevelHistogram.h"
#include "records/ObjData.h"
#include "protocol/LocalTimeStep.h"

namespace sonivel {

// The figures of a span of records of one weighting (for N records with
// levels L_i taken every T seconds):
//   count N, start/end the first and last record's times, duration_s N x T;
//   lmax/lmin with the time of their first occurrence; average the arithmetic
//   mean of the levels; leq = 10 log10(mean of 10^(L_i/10)); sel = leq +
//   10 log10(duration_s); Ln (n = 5, 10, 50, 90, 95) the (100 - n)-th
//   percentile, PERCENTILE.INC; the leq of every clock hour; lday (07-19),
//   levening (19-23), lnight (23-07), and lden when all three have records:
//   10 log10((12 10^(Lday/10) + 4 10^((Levening+5)/10) + 8 10^((Lnight+10)/10)) / 24).
struct SHourFigure {
    SCalendarTime hour;    // the hour's start (minute and second 0)
    double leq = 0;
    long long count = 0;
};

struct SNoiseFigures {
    long long count = 0;
    std::optional<SCalendarTime> start, end, lmaxTime, lminTime;   // none when a time text cannot be read
    double durationS = 0;
    double lmax = 0, lmin = 0, average = 0, leq = 0, sel = 0;
    double l5 = 0, l10 = 0, l50 = 0, l90 = 0, l95 = 0;
    std::vector<SHourFigure> hourly;   // in time order
    std::optional<double> lday, levening, lnight, lden;
};

// Running figures of one weighting, updated record by record in O(1) (the
// hourly split looks up the map only when the hour changes). The records'
// levels go in as they are; a record whose time text cannot be read counts
// in every figure except the time ones and the hourly split. One thread.
class CRunningFigures {
public:
    // The record's level, time text "dd-mm-yyyy,hh:mm:ss" and sampling interval.
    void Add(double level, const std::string& timeText, double sampleRate);
    long long Count() const { return m_hist.Count(); }
    // The figures so far; Count() must be above 0.
    SNoiseFigures Figures() const;

private:
    struct SEnergy {
        double sum = 0;
        long long count = 0;
        void Add(double e) { sum += e, ++count; }
    };
    void JoinHour(std::map<long long, SEnergy>& hours) const;

    CLevelHistogram m_hist;
    double m_levelSum = 0;
    SEnergy m_all, m_day, m_evening, m_night;
    double m_rate = 0;
    double m_max = 0, m_min = 0;
    std::optional<SCalendarTime> m_start, m_end, m_maxTime, m_minTime;
    // Energy by clock hour (key yyyymmddhh); the last record's hour is summed
    // apart and joins the map when a record of another hour comes.
    std::map<long long, SEnergy> m_hours;
    long long m_hourKey = -1;
    SEnergy m_hour;
};

// The figures of records of either weighting, per weighting ("dBA", "dBC"),
// in the order in which each weighting first appears; never mixed.
class CFiguresByWeighting {
public:
    void Add(const CObjData& record);
    const std::vector<std::pair<std::string, CRunningFigures>>& Weightings() const { return m_list; }

private:
    std::vector<std::pair<std::string, CRunningFigures>> m_list;
};

} // namespace sonivel

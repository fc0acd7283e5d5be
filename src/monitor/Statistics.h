#pragma once
#include <string>

#include "records/ObjData.h"

// Running statistics of a series, as the statistics boxes show them.
struct RTStatistics {
    double dMax = 0.0;
    double dMin = 150.0;
    double dAverage = 0.0;
    std::string strMaxTime;
    std::string strMaxUnit;
    std::string strMinUnit;
    std::string strMinTime;
    std::string strStartTime;
};

// What the print routines and Export receive: the statistics with the sum and
// the sampling interval.
struct SStatBlock {
    RTStatistics stats;
    double dSum = 0.0;
    double dSampleRate = 0.0;
};

// Running statistics kept up to date one append at a time. The maximum starts
// at 0.0 and the minimum at minStart (150.0 for the monitoring store), each
// replaced only by a strictly greater / smaller level.
class CRunningStats {
public:
    explicit CRunningStats(double minStart = 150.0) : m_dMinStart(minStart) { m_stats.dMin = minStart; }

    // Back to the reset values; the record units are kept.
    void Reset();
    // Accounts for record r just appended; first is record 0 of the store and
    // count the store's size after the append.
    void Account(const CObjData& r, const CObjData& first, std::size_t count);

    const RTStatistics& Stats() const { return m_stats; }
    double Sum() const { return m_dSum; }
    std::size_t Count() const { return m_nCount; }

private:
    double m_dMinStart;
    RTStatistics m_stats;
    double m_dSum = 0.0;
    std::size_t m_nCount = 0;
};

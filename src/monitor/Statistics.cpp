#include "monitor/Statistics.h"

void CRunningStats::Reset()
{
    m_stats.dMax = 0.0;
    m_stats.dMin = m_dMinStart;
    m_stats.dAverage = 0.0;
    m_stats.strMaxTime.clear();
    m_stats.strMinTime.clear();
    m_stats.strStartTime.clear();
    m_dSum = 0.0;
    m_nCount = 0;
}

void CRunningStats::Account(const CObjData& r, const CObjData& first, std::size_t count)
{
    m_nCount = count;
    if (m_stats.strStartTime != first.m_strTime)
        m_stats.strStartTime = first.m_strTime;
    if (r.m_dValue > m_stats.dMax) {
        m_stats.dMax = r.m_dValue;
        m_stats.strMaxTime = r.m_strTime;
        m_stats.strMaxUnit = r.m_strUnit;
    }
    if (r.m_dValue < m_stats.dMin) {
        m_stats.dMin = r.m_dValue;
        m_stats.strMinTime = r.m_strTime;
        m_stats.strMinUnit = r.m_strUnit;
    }
    m_dSum += r.m_dValue;
    m_stats.dAverage = count ? m_dSum / static_cast<double>(count) : 0.0;
}

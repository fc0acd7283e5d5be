#include "logger/GroupStats.h"

#include <string>

#include "common/Text.h"

namespace sonivel {

void SelectGroup(const CRecordList& store, int group, CRecordSelection& sel)
{
    sel.RemoveAll();
    const std::size_t n = store.GetSize();
    for (std::size_t i = 0; i < n; ++i)
        if (const CObjData& r = store.GetAt(i); r.m_nGroup == group)
            sel.Add(r);
}

SGroupStats ComputeGroupStats(const CRecordList& group)
{
    SGroupStats out;
    RTStatistics& s = out.block.stats;
    s.dMax = 0.0;
    s.dMin = 130.0;
    out.nCount = group.GetSize();
    if (out.nCount == 0)
        return out;
    double sum = 0.0;
    for (std::size_t i = 0; i < out.nCount; ++i) {
        const CObjData& r = group.GetAt(i);
        if (r.m_dValue > s.dMax) {
            s.dMax = r.m_dValue;
            s.strMaxTime = r.m_strTime;
            s.strMaxUnit = r.m_strUnit;
        }
        if (r.m_dValue < s.dMin) {
            s.dMin = r.m_dValue;
            s.strMinTime = r.m_strTime;
            s.strMinUnit = r.m_strUnit;
        }
        sum += r.m_dValue;
    }
    s.dAverage = sum / static_cast<double>(out.nCount);
    s.strStartTime = group.GetAt(0).m_strTime;
    out.block.dSum = sum;
    out.block.dSampleRate = group.GetAt(0).m_dSampleRate;
    return out;
}

int RateEntryIndex(double interval)
{
    static const char* const kEntries[] = {"0.1", "0.2", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "5.0", "10.0"};
    const std::string text = Format("%.1f", interval);
    for (int i = 0; i < static_cast<int>(std::size(kEntries)); ++i)
        if (text == kEntries[i])
            return i;
    return -1;
}

} // namespace sonivel

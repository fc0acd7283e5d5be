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
    out.nCount = group.GetSize();
    CRunningStats running(130.0);
    for (std::size_t i = 0; i < out.nCount; ++i)
        running.Account(group.GetAt(i), group.GetAt(0), i + 1);
    out.block.stats = running.Stats();
    out.block.dSum = running.Sum();
    if (out.nCount > 0)
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

#include "logger/GroupStats.h"

#include <string>

#include "common/Text.h"
#include "monitor/SetupMath.h"

namespace sonivel {

void SelectGroup(const CRecordList& store, int group, CRecordSelection& sel)
{
    sel.RemoveAll();
    const std::size_t n = store.GetSize();
    for (std::size_t i = 0; i < n; ++i)
        if (store.KindAt(i).group == group)
            sel.Add(store, i);
}

SGroupStats ComputeGroupStats(const CRecordList& group)
{
    SGroupStats out;
    out.nCount = group.GetSize();
    CRunningStats running(130.0);
    if (out.nCount > 0) {
        const CObjData first = group.GetAt(0);
        for (std::size_t i = 0; i < out.nCount; ++i)
            running.Account(group.GetAt(i), first, i + 1);
        out.block.dSampleRate = first.m_dSampleRate;
    }
    out.block.stats = running.Stats();
    out.block.dSum = running.Sum();
    return out;
}

int RateEntryIndex(double interval)
{
    // The setup texts of the rate list are the "%.1f" texts of its entries.
    const std::string text = Format("%.1f", interval);
    for (std::size_t i = 0; i < kRateChoices.size(); ++i)
        if (text == kRateChoices[i].setupText)
            return static_cast<int>(i);
    return -1;
}

} // namespace sonivel

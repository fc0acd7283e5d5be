#include "logger/GroupList.h"

#include "common/Text.h"

namespace sonivel {

std::vector<SGroupRow> BuildGroupRows(const CRecordList& store)
{
    std::vector<SGroupRow> rows;
    const std::size_t n = store.GetSize();
    for (std::size_t i = 0; i < n; ++i) {
        // Every record starts a row when its group differs from the row being
        // built; the first record always starts one.
        if (rows.empty() || rows.back().nGroup != store.KindAt(i).group) {
            const CObjData r = store.GetAt(i);
            rows.push_back({r.m_nGroup, r.m_strTime, r.m_strUnit, r.m_dSampleRate, 0});
        }
        ++rows.back().nCount;
    }
    return rows;
}

std::array<std::string, kGroupColumns> GroupRowTexts(const SGroupRow& row)
{
    return {Format("%d", row.nGroup), row.strTime, row.strUnit, Format("%.2f", row.dSampleRate),
            Format("%zu", row.nCount)};
}

} // namespace sonivel

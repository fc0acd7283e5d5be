#include "records/EnvelopePyramid.h"

namespace sonivel {

void CEnvelopePyramid::Append(double level)
{
    const std::size_t count = m_count;
    const SLevelCell tail = m_tail;
    try {
        Step(level);
    } catch (...) {
        TrimTo(count, tail);
        throw;
    }
}

void CEnvelopePyramid::Append(std::span<const double> levels)
{
    const std::size_t count = m_count;
    const SLevelCell tail = m_tail;
    try {
        std::size_t i = 0;
        for (; i < levels.size() && m_count % kFan != 0; ++i)
            Step(levels[i]);
        // Whole tier-0 cells straight from the levels.
        for (; i + kFan <= levels.size(); i += kFan) {
            SLevelCell cell;
            for (std::size_t k = 0; k < kFan; ++k)
                cell.Take(levels[i + k]);
            m_count += kFan;
            Carry(cell);
        }
        for (; i < levels.size(); ++i)
            Step(levels[i]);
    } catch (...) {
        TrimTo(count, tail);
        throw;
    }
}

void CEnvelopePyramid::Clear()
{
    m_tiers.clear();
    m_tail = {};
    m_count = 0;
}

void CEnvelopePyramid::Step(double level)
{
    m_tail.Take(level);
    if (++m_count % kFan != 0)
        return;
    Carry(m_tail);
    m_tail = {};
}

void CEnvelopePyramid::Carry(const SLevelCell& cell)
{
    SLevelCell carried = cell;
    for (std::size_t t = 0;; ++t) {
        if (t == m_tiers.size())
            m_tiers.emplace_back();
        std::vector<SLevelCell>& tier = m_tiers[t];
        tier.push_back(carried);
        if (tier.size() % kFan != 0)
            return;
        carried = {};
        for (auto it = tier.end() - kFan; it != tier.end(); ++it)
            carried.Take(*it);
    }
}

void CEnvelopePyramid::TrimTo(std::size_t count, const SLevelCell& tail) noexcept
{
    std::size_t cells = count / kFan;
    for (std::vector<SLevelCell>& tier : m_tiers) {
        tier.resize(cells < tier.size() ? cells : tier.size());
        cells /= kFan;
    }
    while (!m_tiers.empty() && m_tiers.back().empty())
        m_tiers.pop_back();
    m_tail = tail;
    m_count = count;
}

namespace {

// Every level of `cell` is within the extremes already taken, and any NaN in
// it is noted already: its levels cannot change the extent.
bool Covered(const SLevelCell& cell, const SLevelCell& taken)
{
    return cell.min >= taken.min && cell.max <= taken.max && (!cell.nan || taken.nan);
}

} // namespace

void CEnvelopePyramid::TakeCells(SLevelCell& e, std::size_t lo, std::size_t hi) const
{
    // [lo, hi) in units of the current tier's cells. Each step takes the
    // unaligned cells at both ends; what is left between is whole cells of the
    // tier above (which exists, since a tier with kFan cells has one above).
    for (const std::vector<SLevelCell>& tier : m_tiers) {
        while (lo < hi && lo % kFan != 0)
            e.Take(tier[lo++]);
        while (lo < hi && hi % kFan != 0)
            e.Take(tier[--hi]);
        lo /= kFan;
        hi /= kFan;
        if (lo >= hi)
            return;
    }
}

SLevelExtent CEnvelopePyramid::Extent(const ILevelSource& levels, std::size_t first, std::size_t last) const
{
    SLevelExtent e;
    if (m_count == 0 || first >= m_count || first > last)
        return e;
    if (last >= m_count)
        last = m_count - 1;
    e.first = levels.LevelAt(first);
    e.last = first == last ? e.first : levels.LevelAt(last);
    e.Take(e.first);
    e.Take(e.last);
    const auto takeLevels = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            e.Take(levels.LevelAt(i));
    };
    // The whole tier-0 cells of the range are [lo, hi) in levels.
    const std::size_t lo = (first + kFan - 1) / kFan * kFan;
    const std::size_t hi = (last + 1) / kFan * kFan;
    if (lo >= hi) {
        takeLevels(first + 1, last);
        return e;
    }
    TakeCells(e, lo / kFan, hi / kFan);
    // The levels between the ends and the whole cells, unless the cell they
    // lie in (the tail cell past the last whole one) cannot change the extent.
    if (first + 1 < lo && !Covered(m_tiers[0][lo / kFan - 1], e))
        takeLevels(first + 1, lo);
    if (hi < last && !Covered(hi / kFan < m_tiers[0].size() ? m_tiers[0][hi / kFan] : m_tail, e))
        takeLevels(hi, last);
    return e;
}

} // namespace sonivel

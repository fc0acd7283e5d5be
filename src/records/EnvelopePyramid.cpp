#include "records/EnvelopePyramid.h"

#include <array>
#include <cmath>

namespace sonivel {

void SHundredths::Add(double level)
{
    // Below 1e12, h is within 2^47 and level * 100 within a small fraction of
    // it, so llround finds the one integer h can be.
    if (!Exact() || !(std::fabs(level) < 1e12)) {
        value = kNone;
        return;
    }
    const long long h = std::llround(level * 100.0);
    if (static_cast<double>(h) / 100.0 != level) {
        value = kNone;
        return;
    }
    Add(SHundredths{h});
}

void SHundredths::Add(SHundredths s)
{
    if (!Exact() || !s.Exact() || __builtin_add_overflow(value, s.value, &value) || value == kNone)
        value = kNone;
}

void CEnvelopePyramid::Append(double level)
{
    const std::size_t count = m_count;
    const SLevelCell tail = m_tail;
    const SHundredths tailSum = m_tailSum;
    try {
        Step(level);
    } catch (...) {
        TrimTo(count, tail, tailSum);
        throw;
    }
}

void CEnvelopePyramid::Append(std::span<const double> levels)
{
    const std::size_t count = m_count;
    const SLevelCell tail = m_tail;
    const SHundredths tailSum = m_tailSum;
    try {
        std::size_t i = 0;
        for (; i < levels.size() && m_count % kFan != 0; ++i)
            Step(levels[i]);
        // Whole tier-0 cells straight from the levels.
        for (; i + kFan <= levels.size(); i += kFan) {
            SLevelCell cell;
            SHundredths sum;
            for (std::size_t k = 0; k < kFan; ++k) {
                cell.Take(levels[i + k]);
                sum.Add(levels[i + k]);
            }
            m_count += kFan;
            Carry(cell, sum);
        }
        for (; i < levels.size(); ++i)
            Step(levels[i]);
    } catch (...) {
        TrimTo(count, tail, tailSum);
        throw;
    }
}

void CEnvelopePyramid::Clear()
{
    m_tiers.clear();
    m_sums.clear();
    m_tail = {};
    m_tailSum = {};
    m_count = 0;
}

void CEnvelopePyramid::Step(double level)
{
    m_tail.Take(level);
    m_tailSum.Add(level);
    if (++m_count % kFan != 0)
        return;
    Carry(m_tail, m_tailSum);
    m_tail = {};
    m_tailSum = {};
}

namespace {

// Appends to a tier growing by a quarter at a time (not doubling), so the
// memory held stays close to the cells kept.
template <class T>
void Push(std::vector<T>& tier, const T& cell)
{
    if (tier.size() == tier.capacity())
        tier.reserve(tier.size() + tier.size() / 4 + CEnvelopePyramid::kFan);
    tier.push_back(cell);
}

} // namespace

void CEnvelopePyramid::Carry(const SLevelCell& cell, SHundredths sum)
{
    SLevelCell carried = cell;
    SHundredths carriedSum = sum;
    for (std::size_t t = 0;; ++t) {
        if (t == m_tiers.size()) {
            m_tiers.emplace_back();
            m_sums.emplace_back();
        }
        std::vector<SLevelCell>& tier = m_tiers[t];
        std::vector<SHundredths>& sums = m_sums[t];
        Push(tier, carried);
        Push(sums, carriedSum);
        if (tier.size() % kFan != 0)
            return;
        carried = {};
        carriedSum = {};
        for (std::size_t k = tier.size() - kFan; k < tier.size(); ++k) {
            carried.Take(tier[k]);
            carriedSum.Add(sums[k]);
        }
    }
}

void CEnvelopePyramid::TrimTo(std::size_t count, const SLevelCell& tail, SHundredths tailSum) noexcept
{
    // A failed append may have left a tier, or a tier's last cell, without
    // its sum: both are beyond what is kept.
    const auto trim = [count](auto& tiers) {
        std::size_t cells = count / kFan;
        for (auto& tier : tiers) {
            tier.resize(cells < tier.size() ? cells : tier.size());
            cells /= kFan;
        }
        while (!tiers.empty() && tiers.back().empty())
            tiers.pop_back();
    };
    trim(m_tiers);
    trim(m_sums);
    m_tail = tail;
    m_tailSum = tailSum;
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

template <class Level, class Cell>
void CEnvelopePyramid::VisitInOrder(std::size_t first, std::size_t last, Level level, Cell cell) const
{
    const auto levels = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (level(i))
                return true;
        return false;
    };
    // The whole tier-0 cells of the range are [lo, hi).
    std::size_t lo = (first + kFan - 1) / kFan;
    std::size_t hi = (last + 1) / kFan;
    if (lo >= hi) {
        levels(first, last + 1);
        return;
    }
    if (levels(first, lo * kFan))
        return;
    const std::size_t tail = hi * kFan;
    // Each tier's unaligned cells at the left end come now, in order; those at
    // the right end after the tiers above, so they are kept for the way back.
    std::array<std::pair<std::size_t, std::size_t>, 16> right{};
    std::size_t t = 0;
    for (; lo < hi; ++t) {
        std::size_t l = lo;
        while (l < hi && l % kFan != 0)
            ++l;
        for (std::size_t c = lo; c < l; ++c)
            if (cell(t, c))
                return;
        std::size_t h = hi;
        while (h > l && h % kFan != 0)
            --h;
        right[t] = {h, hi};
        lo = l / kFan;
        hi = h / kFan;
    }
    while (t-- > 0)
        for (std::size_t c = right[t].first; c < right[t].second; ++c)
            if (cell(t, c))
                return;
    levels(tail, last + 1);
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
    VisitInOrder(
        lo, hi - 1, [](std::size_t) { return false; },
        [&](std::size_t t, std::size_t c) {
            e.Take(m_tiers[t][c]);
            return false;
        });
    // The levels between the ends and the whole cells, unless the cell they
    // lie in (the tail cell past the last whole one) cannot change the extent.
    if (first + 1 < lo && !Covered(m_tiers[0][lo / kFan - 1], e))
        takeLevels(first + 1, lo);
    if (hi < last && !Covered(hi / kFan < m_tiers[0].size() ? m_tiers[0][hi / kFan] : m_tail, e))
        takeLevels(hi, last);
    return e;
}

SLevelSummary CEnvelopePyramid::Summary(const ILevelSource& levels, std::size_t first, std::size_t last) const
{
    SLevelSummary s;
    if (m_count == 0 || first >= m_count || first > last)
        return s;
    VisitInOrder(
        first, last < m_count ? last : m_count - 1,
        [&](std::size_t i) {
            const double v = levels.LevelAt(i);
            s.Take(v);
            s.sum.Add(v);
            return false;
        },
        [&](std::size_t t, std::size_t c) {
            s.Take(m_tiers[t][c]);
            s.sum.Add(m_sums[t][c]);
            return false;
        });
    return s;
}

std::size_t CEnvelopePyramid::FirstOfExtreme(const ILevelSource& levels, std::size_t first, std::size_t last,
                                             double extreme, bool maximum) const
{
    std::size_t found = m_count;
    if (m_count == 0 || first >= m_count || first > last)
        return found;
    // No cell of the range goes beyond the extreme, so a cell holds it where
    // its own extreme equals it, and so does one of its cells below.
    const auto holds = [&](const SLevelCell& c) { return (maximum ? c.max : c.min) == extreme; };
    const auto at = [&](std::size_t i) {
        if (levels.LevelAt(i) != extreme)
            return false;
        found = i;
        return true;
    };
    VisitInOrder(first, last < m_count ? last : m_count - 1, at, [&](std::size_t t, std::size_t c) {
        if (!holds(m_tiers[t][c]))
            return false;
        for (; t > 0; --t) {
            std::size_t below = c * kFan;
            while (below + 1 < (c + 1) * kFan && !holds(m_tiers[t - 1][below]))
                ++below;
            c = below;
        }
        for (std::size_t i = c * kFan; i < (c + 1) * kFan; ++i)
            if (at(i))
                return true;
        return true;   // not reached: the cell holds the extreme
    });
    return found;
}

SLevelCell CEnvelopePyramid::CellsExtent(std::size_t firstCell, std::size_t endCell) const
{
    // Each tier takes its unaligned cells at both ends; what lies between is
    // whole cells of the tier above.
    SLevelCell e;
    for (std::size_t t = 0; firstCell < endCell; ++t) {
        const std::vector<SLevelCell>& cells = m_tiers[t];
        for (; firstCell < endCell && firstCell % kFan != 0; ++firstCell)
            e.Take(cells[firstCell]);
        for (; endCell > firstCell && endCell % kFan != 0; --endCell)
            e.Take(cells[endCell - 1]);
        firstCell /= kFan;
        endCell /= kFan;
    }
    return e;
}

} // namespace sonivel

#pragma once
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

// Min/max envelopes of a series of levels, so that the extremes of any index
// range, where the first of them lies and the sum of its levels cost a bounded
// number of steps however long the series is.
//
// The owner of the levels (a record store, or a selection of records) appends
// each level as it keeps it and clears the envelope when it is emptied; the
// chart asks for the extent of each pixel column's index range. One thread,
// like the store it belongs to. An append that cannot allocate throws
// std::bad_alloc and leaves the envelope as it was before the append.
//
// Layout: tier 0 holds one cell per 16 levels, each tier above one cell per 16
// cells below; only whole cells are kept, the levels since the last whole
// tier-0 cell wait in a tail cell. An append completes at most one cell per
// tier, so its cost is constant (amortised).
//
// Levels that are not finite numbers: a cell's minimum and maximum are those of
// its levels that are numbers, infinities included (-inf and +inf order as
// they do for <); NaN levels are only noted (the cell's nan flag), because a
// NaN has no place in an order. A cell with no number keeps min +inf and
// max -inf (min > max), which every other level replaces.
//
// Each whole cell also keeps the sum of its levels in hundredths, as an
// integer, where every level of it is a hundredth (a double equal to h / 100.0
// for an integer h, as levels read from "96.1" or "96.15" are) below 1e12 in
// size and the sum fits; a cell with any other level (more decimals, NaN, an
// infinity, a huge level) keeps SHundredths::kNone, and the caller takes a
// range holding one level by level. So a range's sum is its decimal sum
// exactly, whatever cells it is made of.

namespace sonivel {

// Where Extent reads single levels at the two ends of a range: the same levels,
// in the same order, as were appended.
class ILevelSource {
public:
    virtual ~ILevelSource() = default;
    virtual double LevelAt(std::size_t i) const = 0;
};

// The extremes of a run of levels.
struct SLevelCell {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    bool nan = false;   // some level of the run is NaN

    // At least one level of the run is a number (not NaN).
    bool HasNumbers() const { return min <= max; }
    void Take(double level)
    {
        if (level != level) {
            nan = true;
            return;
        }
        if (level < min)
            min = level;
        if (level > max)
            max = level;
    }
    void Take(const SLevelCell& c)
    {
        if (c.min < min)
            min = c.min;
        if (c.max > max)
            max = c.max;
        nan = nan || c.nan;
    }
    bool operator==(const SLevelCell&) const = default;
};

// A sum of levels in hundredths of a dB, or kNone once a level is not a
// hundredth (see above) or the sum would leave the 64-bit integers.
struct SHundredths {
    static constexpr long long kNone = std::numeric_limits<long long>::min();
    long long value = 0;

    bool Exact() const { return value != kNone; }
    void Add(double level);
    void Add(SHundredths s);
    bool operator==(const SHundredths&) const = default;
};

// The extent of an index range: its extremes, and its first and last levels
// (NaN for an empty range).
struct SLevelExtent : SLevelCell {
    double first = std::numeric_limits<double>::quiet_NaN();
    double last = std::numeric_limits<double>::quiet_NaN();
};

// The extremes and the sum of an index range.
struct SLevelSummary : SLevelCell {
    SHundredths sum;
};

class CEnvelopePyramid {
public:
    static constexpr std::size_t kFan = 16;   // levels per tier-0 cell, cells per cell above

    std::size_t Count() const { return m_count; }
    void Append(double level);
    void Append(std::span<const double> levels);
    void Clear();

    // Levels first..last, both included: the whole cells of the coarsest tiers
    // that fit, at most 2 (kFan - 1) per tier, and single levels read from
    // `levels`: the first, the last, and those at the ends that share a
    // tier-0 cell with levels outside the range, at most 2 (kFan - 1) in all
    // (skipped where that cell lies within the extremes already found). last
    // is limited to Count() - 1; a range with first beyond last is empty.
    SLevelExtent Extent(const ILevelSource& levels, std::size_t first, std::size_t last) const;

    // Levels first..last, both included (limited as in Extent): their extremes
    // and their sum in hundredths (kNone where a level of the range is not a
    // hundredth or the sum would overflow), from the same whole cells as Extent and every single level
    // at the ends (at most 2 (kFan - 1) read).
    SLevelSummary Summary(const ILevelSource& levels, std::size_t first, std::size_t last) const;

    // The index of the first of the levels first..last (limited as in Extent)
    // equal to `extreme` (== order: 0.0 and -0.0 are equal), which must be the
    // range's maximum (Summary's max) when `maximum`, its minimum otherwise.
    // Walks down from the first cell holding it: at most 2 (kFan - 1) + kFan
    // single levels read. Count() when no level of the range equals it.
    std::size_t FirstOfExtreme(const ILevelSource& levels, std::size_t first, std::size_t last, double extreme,
                               bool maximum) const;

    // The extremes of the whole tier-0 cells [firstCell, endCell) (endCell at
    // most Tier(0).size()), that is of the levels from firstCell * kFan up to
    // endCell * kFan: the coarsest cells that fit, at most 2 (kFan - 1) per
    // tier, no level read. For a chart's pixel columns, which read their end
    // levels themselves.
    SLevelCell CellsExtent(std::size_t firstCell, std::size_t endCell) const;

    // Tier t's whole cells (for tests and for walking down to an extreme).
    std::size_t Tiers() const { return m_tiers.size(); }
    const std::vector<SLevelCell>& Tier(std::size_t t) const { return m_tiers[t]; }

    bool operator==(const CEnvelopePyramid&) const = default;

private:
    // A level added to the tail; completes a tier-0 cell at every kFan-th.
    void Step(double level);
    // Adds a whole tier-0 cell and the cells it completes in the tiers above.
    void Carry(const SLevelCell& cell, SHundredths sum);
    // Calls level(i) for the single levels and cell(t, c) for the whole cells
    // that make up first..last (first <= last < Count()), in index order,
    // until one returns true: single levels at the ends that share a tier-0
    // cell with levels outside the range, and the whole cells of the coarsest
    // tiers that fit between, at most 2 (kFan - 1) per tier.
    template <class Level, class Cell>
    void VisitInOrder(std::size_t first, std::size_t last, Level level, Cell cell) const;
    // Back to the state after `count` levels with the given tail (only ever
    // shrinks, so it cannot fail): undoes an append that threw.
    void TrimTo(std::size_t count, const SLevelCell& tail, SHundredths tailSum) noexcept;

    std::vector<std::vector<SLevelCell>> m_tiers;
    std::vector<std::vector<SHundredths>> m_sums;   // the sums of m_tiers' cells
    SLevelCell m_tail;   // the levels after the last whole tier-0 cell
    SHundredths m_tailSum;
    std::size_t m_count = 0;
};

} // namespace sonivel

#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace sonivel {

// The distribution of a run's levels for its percentile levels, kept as it
// grows: one counter per 0.1 dB class from 0.0 to 200.0 dB. A level with one
// decimal in that range (what the meter and the data files hold) falls exactly
// on its class, so the percentiles equal those of the raw values. Any other
// level (more decimals, below 0 dB or above 200 dB) is kept as its exact value
// in a side list and merged in at query time, so no level is ever rounded or
// clamped; the list costs memory only for such levels. Add is O(1)
// (amortised for the side list). Not-a-number levels are not taken (Add
// returns false). One thread; no failure leaves a partial state.
class CLevelHistogram {
public:
    static constexpr int kClasses = 2001;   // 0.0 ... 200.0 dB in tenths

    bool Add(double level);
    long long Count() const { return m_count; }
    // The p-th percentile (p from 0 to 1) as the spreadsheet's PERCENTILE.INC
    // gives it: rank h = (N - 1) p, interpolated linearly between the values
    // of ranks floor(h) and floor(h) + 1. Count() must be above 0.
    double Percentile(double p) const;

private:
    // The value of rank k (0-based) of the levels in ascending order.
    double ValueAtRank(long long k) const;

    std::array<std::uint32_t, kClasses> m_classes{};
    mutable std::vector<double> m_exact;   // levels off the class grid
    mutable bool m_exactSorted = true;
    long long m_count = 0;
};

} // namespace sonivel

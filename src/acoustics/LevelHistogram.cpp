#include "acoustics/LevelHistogram.h"

#include <algorithm>
#include <cmath>

namespace sonivel {

bool CLevelHistogram::Add(double level)
{
    if (std::isnan(level))
        return false;
    const double tenths = level * 10;
    const double nearest = std::nearbyint(tenths);
    // One decimal, allowing for the binary representation of the text's value.
    if (nearest >= 0 && nearest < kClasses && std::fabs(tenths - nearest) < 1e-6
        && m_classes[static_cast<int>(nearest)] < UINT32_MAX) {
        ++m_classes[static_cast<int>(nearest)];
    } else {
        m_exact.push_back(level);
        m_exactSorted = false;
    }
    ++m_count;
    return true;
}

double CLevelHistogram::ValueAtRank(long long k) const
{
    if (!m_exactSorted) {
        std::sort(m_exact.begin(), m_exact.end());
        m_exactSorted = true;
    }
    // Walk the classes and the sorted side list together, in ascending order.
    std::size_t e = 0;
    for (int c = 0; c < kClasses; ++c) {
        const double classValue = c / 10.0;
        for (; e < m_exact.size() && m_exact[e] < classValue; ++e) {
            if (k-- == 0)
                return m_exact[e];
        }
        if (k < static_cast<long long>(m_classes[c]))
            return classValue;
        k -= m_classes[c];
    }
    return m_exact[e + static_cast<std::size_t>(k)];
}

double CLevelHistogram::Percentile(double p) const
{
    const double h = static_cast<double>(m_count - 1) * p;
    const long long lo = static_cast<long long>(std::floor(h));
    const double low = ValueAtRank(lo);
    if (lo + 1 >= m_count)
        return low;
    return low + (h - static_cast<double>(lo)) * (ValueAtRank(lo + 1) - low);
}

} // namespace sonivel

#include "graph/CursorStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sonivel {

namespace {

// Every level of first..last, one after the other.
SCursorStats Walk(const CRecordList& records, std::size_t first, std::size_t last)
{
    SCursorStats st;
    for (std::size_t i = first; i <= last; ++i) {
        const double v = records.LevelAt(i);
        if (v > st.max) {
            st.max = v;
            st.maxIndex = i;
        }
        if (v < st.min) {
            st.min = v;
            st.minIndex = i;
        }
        st.sum += v;
    }
    return st;
}

// The average of `count` levels summing to `hundredths` (at most 2^53 in
// size, so the quotient is rounded once): the double nearest the exact
// decimal average, shown with one decimal as any level is.
double DecimalAverage(long long hundredths, std::size_t count)
{
    return static_cast<double>(hundredths) / (100.0 * static_cast<double>(count));
}

// The same figures from the list's envelope, or nothing where a level of the
// range is not a hundredth (a NaN, an infinity, more decimals, a huge level)
// or its sum is too large to divide exactly: such a range is walked.
std::optional<SCursorStats> FromEnvelope(const CRecordList& records, std::size_t first, std::size_t last)
{
    const CEnvelopePyramid* envelope = records.Envelope();
    if (!envelope || envelope->Count() != records.GetSize())
        return std::nullopt;
    const SLevelSummary s = envelope->Summary(records, first, last);
    constexpr long long kExactInDouble = 1LL << 53;
    if (!s.sum.Exact() || s.sum.value > kExactInDouble || s.sum.value < -kExactInDouble || !s.HasNumbers())
        return std::nullopt;
    SCursorStats st;
    // The walk keeps the first level strictly beyond 0.0 (150.0) and every
    // later one strictly beyond that: the first level equal to the range's
    // extreme, where that extreme passes the start value.
    if (s.max > st.max) {
        st.maxIndex = envelope->FirstOfExtreme(records, first, last, s.max, true);
        st.max = records.LevelAt(*st.maxIndex);
    }
    if (s.min < st.min) {
        st.minIndex = envelope->FirstOfExtreme(records, first, last, s.min, false);
        st.min = records.LevelAt(*st.minIndex);
    }
    st.sum = static_cast<double>(s.sum.value) / 100.0;
    st.average = DecimalAverage(s.sum.value, last - first + 1);
    return st;
}

} // namespace

SCursorStats StatsBetween(const CRecordList& records, int a, int b)
{
    const long long n = static_cast<long long>(records.GetSize());
    const long long first = a < 0 ? 0 : a;
    const long long last = b >= n ? n - 1 : b;
    if (first > last)
        return {};
    const auto from = static_cast<std::size_t>(first);
    const auto to = static_cast<std::size_t>(last);
    const std::optional<SCursorStats> fast = FromEnvelope(records, from, to);
    SCursorStats st = fast ? *fast : Walk(records, from, to);
    st.count = static_cast<int>(last - first + 1);
    if (!fast)
        st.average = st.sum / st.count;
    return st;
}

} // namespace sonivel

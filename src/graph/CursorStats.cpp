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

// The same figures from the list's envelope, or nothing where the sum of the
// range could leave the finite numbers in some order (a NaN, an infinity, or
// levels large enough to overflow): such a range is walked.
std::optional<SCursorStats> FromEnvelope(const CRecordList& records, std::size_t first, std::size_t last)
{
    const CEnvelopePyramid* envelope = records.Envelope();
    if (!envelope || envelope->Count() != records.GetSize())
        return std::nullopt;
    const SLevelSummary s = envelope->Summary(records, first, last);
    const double bound = std::max(std::fabs(s.min), std::fabs(s.max));
    const double count = static_cast<double>(last - first + 1);
    if (s.nan || !s.HasNumbers() || !(bound * count < std::numeric_limits<double>::max() / 2)
        || !s.sum.Finite())
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
    st.sum = s.sum.Value();
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
    st.average = st.sum / st.count;
    return st;
}

} // namespace sonivel

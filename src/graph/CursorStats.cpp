#include "graph/CursorStats.h"

namespace sonivel {

SCursorStats StatsBetween(const CRecordList& records, int a, int b)
{
    SCursorStats st;
    const long long n = static_cast<long long>(records.GetSize());
    const long long first = a < 0 ? 0 : a;
    const long long last = b >= n ? n - 1 : b;
    if (first > last)
        return st;
    for (long long i = first; i <= last; ++i) {
        const double v = records.LevelAt(static_cast<std::size_t>(i));
        if (v > st.max) {
            st.max = v;
            st.maxIndex = static_cast<std::size_t>(i);
        }
        if (v < st.min) {
            st.min = v;
            st.minIndex = static_cast<std::size_t>(i);
        }
        st.sum += v;
    }
    st.count = static_cast<int>(last - first + 1);
    st.average = st.sum / st.count;
    return st;
}

} // namespace sonivel

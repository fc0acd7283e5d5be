#pragma once
#include <optional>
#include <string>

#include "records/RecordList.h"

namespace sonivel {

// The statistics of the records between cursors A and B, both included.
// Maximum and minimum take strictly greater (smaller) levels starting from
// 0.0 and 150.0, so the first of equal extremes is reported and a range with
// no level above 0 has no maximum (none below 150 no minimum).
struct SCursorStats {
    std::optional<std::size_t> maxIndex;
    double max = 0.0;
    std::optional<std::size_t> minIndex;
    double min = 150.0;
    double sum = 0.0;
    int count = 0;          // b - a + 1; 0 for an empty or invalid range
    double average = 0.0;
};

// Walks the range once. Indexes outside the list are never read: the range is
// limited to the list and an empty range gives count 0.
SCursorStats StatsBetween(const CRecordList& records, int a, int b);

} // namespace sonivel

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
    double sum = 0.0;       // the levels' sum (see StatsBetween)
    int count = 0;          // b - a + 1; 0 for an empty or invalid range
    double average = 0.0;   // shown with one decimal
};

// Called on the UI thread for every pointer move while cursor B is placed.
// Where the list keeps an envelope and every level of the range is a
// hundredth (levels as the meter and the data files give them), the figures
// come from its cells at a bounded cost: the extremes and their first indexes
// exactly as a walk over the range would give them, the sum the decimal sum
// correctly rounded and the average the decimal average correctly rounded
// (so its one-decimal text is that of the exact average, as a level's is:
// 60.05 shows as 60.0 whether it is a level or an average).
// A list without an envelope, or a range holding any other level (a NaN, an
// infinity, more decimals, a level of 1e12 or more) or a sum beyond 2^53
// hundredths, is walked record by record, the sum added in record order.
// Indexes outside the list are never read: the range is limited to the list
// and an empty range gives count 0.
SCursorStats StatsBetween(const CRecordList& records, int a, int b);

} // namespace sonivel

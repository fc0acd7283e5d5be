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
    double average = 0.0;
};

// Called on the UI thread for every pointer move while cursor B is placed.
// Where the list keeps an envelope, the figures come from its cells at a
// bounded cost (the extremes and their first indexes exactly as a walk over
// the range would give them; the sum of finite levels correctly rounded, so it
// may differ in its last bits from one added record by record); a list without
// one, or a range holding a NaN, an infinity or levels whose sum could
// overflow, is walked record by record. Indexes outside the list are never
// read: the range is limited to the list and an empty range gives count 0.
SCursorStats StatsBetween(const CRecordList& records, int a, int b);

} // namespace sonivel

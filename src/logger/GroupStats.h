#pragma once
#include <cstddef>

#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace sonivel {

// Empties sel and adds every record of store whose group is group, in store
// order (all runs of that group number).
void SelectGroup(const CRecordList& store, int group, CRecordSelection& sel);

// The statistics of a selected group as the data-logger window keeps them.
// The maximum starts at 0.0 and the minimum at 130.0, each replaced only by a
// strictly greater / smaller level, which also brings its time and unit; so a
// group entirely above 130 dB keeps 130.0 with an empty time. Start time and
// interval are those of the first record. An empty group gives the start
// values, average 0 and interval 0.
struct SGroupStats {
    SStatBlock block;
    std::size_t nCount = 0;
};
SGroupStats ComputeGroupStats(const CRecordList& group);

// The entry of the "Sample Rate" list (0.1 0.2 0.5 1 1.5 2 2.5 3 5 10) that
// shows an interval: the interval formatted "%.1f" compared with the entries'
// "%.1f" texts; -1 when none matches.
int RateEntryIndex(double interval);

} // namespace sonivel

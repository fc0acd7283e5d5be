#pragma once
#include <memory>

#include "records/RecordList.h"

// A store filled with records (value, time text, unit) at one sampling interval.
struct SRec {
    double value;
    const char* time;
    const char* unit;
};

inline CRecordStore MakeStore(std::initializer_list<SRec> recs, double rate = 1.0, int group = 0)
{
    CRecordStore store;
    for (const SRec& r : recs)
        store.Add(CObjData(r.value, r.time, r.unit, group, rate));
    return store;
}

#pragma once
#include <memory>
#include <string>

#include "common/Text.h"
#include "records/RecordList.h"

namespace loggertest {

// Appends count records of group g: levels from first, one second apart from
// the given minute of 05-12-2011.
inline void AddGroup(CRecordStore& store, int g, int count, double first = 60.0, double rate = 1.0,
                     const char* unit = "dBA", int minute = 0)
{
    for (int i = 0; i < count; ++i) {
        const int s = minute * 60 + i;
        store.Add(CObjData(first + 0.1 * (i % 50),
                                             sonivel::Format("05-12-2011,9:%.2d:%.2d", s / 60 % 60, s % 60), unit,
                                             g, rate));
    }
}

} // namespace loggertest

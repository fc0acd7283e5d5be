#pragma once
#include <cmath>
#include <functional>
#include <memory>

#include "common/Text.h"
#include "records/RecordList.h"

namespace graphtest {

// A record time n seconds after 01-03-2021 00:00:00 (no daylight-saving change near it).
inline std::string TimeText(long seconds)
{
    const long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    return sonivel::Format("01-03-2021,%.2ld:%.2ld:%.2ld", h, m, s);
}

// A store of n records with the levels of shape(i), one every rate seconds.
inline std::unique_ptr<CRecordStore> MakeStore(std::size_t n, const std::function<double(std::size_t)>& shape,
                                               double rate = 1.0)
{
    auto store = std::make_unique<CRecordStore>();
    for (std::size_t i = 0; i < n; ++i)
        store->Add(CObjData(shape(i), TimeText(static_cast<long>(i * rate)), "dBA", 0, rate));
    return store;
}

inline double Constant65(std::size_t) { return 65.0; }
inline double Sine(std::size_t i) { return 65.0 + 40.0 * std::sin(i * 0.01); }
inline double Noise(std::size_t i) { return 30.0 + static_cast<double>((i * 2654435761u) % 9000) / 100.0; }
inline double Saw(std::size_t i) { return 20.0 + static_cast<double>(i % 97); }
inline double Spikes(std::size_t i) { return i % 500 == 0 ? 128.0 : 40.0 + (i / 1000 % 2) * 10.0; }

} // namespace graphtest

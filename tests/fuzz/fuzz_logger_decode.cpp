// Decodes arbitrary text as a data-logger answer. The decoder keeps its
// group header between inputs, as it does between downloads.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "protocol/LoggerDecoder.h"

// A zone with daylight saving time, so that group times also cross its
// changes; naming it also spares mktime a look at the zone file per call.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CLoggerDecoder decoder;
    static CRecordStore store;
    if (store.GetSize() > 100000)
        store.RemoveAll();
    if (decoder.m_nLogGroup > 1000000000)
        decoder.m_nLogGroup = 0;   // a download starts the count again
    const std::size_t before = store.GetSize();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t made = decoder.DecodeLoggerText(text, store);
    if (store.GetSize() != before + made || made > size / 2 + 1)
        __builtin_trap();
    for (std::size_t i = before; i < store.GetSize(); ++i) {
        const CObjData& r = store.GetAt(i);
        // Every time text holds exactly one comma, between date and time.
        if (std::count(r.m_strTime.begin(), r.m_strTime.end(), ',') != 1 || r.m_nGroup < 1)
            __builtin_trap();
    }
    return 0;
}

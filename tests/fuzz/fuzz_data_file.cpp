// Reads arbitrary bytes as a data text file and writes the records back out.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/DataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    sonivel::SDataFileRead read = sonivel::ParseDataFile(content);
    if (read.status != sonivel::SDataFileRead::EStatus::Ok)
        return 0;
    CRecordStore store;
    store.Replace(std::move(read.records));
    // Whatever was read can be written again, and the written file reads back
    // to the same number of records.
    const std::string again = sonivel::FormatDataFile(store);
    if (!store.IsEmpty() && sonivel::ParseDataFile(again).records.GetSize() != store.GetSize())
        __builtin_trap();
    return 0;
}

// Reads arbitrary bytes as the colour settings file, sets the three colours
// in them as the Color Setting dialog's OK does, and reads them back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graph/ColorSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace sonivel;
    // A longer file is not read at all.
    if (size > kColorFileMaxBytes)
        return 0;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const SChartColors read = ParseColorSettings(content);
    // The colours to write: from the file's own first bytes, else from what it held.
    SChartColors colors = read;
    if (size >= 9) {
        colors.background = Rgb(data[0], data[1], data[2]);
        colors.grid = Rgb(data[3], data[4], data[5]);
        colors.line = Rgb(data[6], data[7], data[8]);
    }
    const std::string written = WithColorSettings(content, colors);
    // What was written reads back, and writing the same again changes nothing.
    if (!(ParseColorSettings(written) == colors))
        __builtin_trap();
    if (WithColorSettings(written, colors) != written)
        __builtin_trap();
    return 0;
}

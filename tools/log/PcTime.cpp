#include "PcTime.h"

#include "common/IsoTime.h"

std::string PcTimeText(std::chrono::system_clock::time_point t)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000 - (ms % 1000 < 0 ? 1 : 0));
    const long milli = static_cast<long>(ms - static_cast<long long>(seconds) * 1000);
    return sonivel::IsoLocalTimeText(seconds, milli);
}

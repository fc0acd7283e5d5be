#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The time of a record as a number: the seconds since 01-01-1970,00:00:00 of
// the clock fields of its time text, taken as they read (no time zone), and
// the style of the text. Pure; any thread.
//
// Two texts have a number: "dd-mm-yyyy,hh:mm:ss" (what a monitoring run makes)
// and the same with the hour unpadded, "dd-mm-yyyy,h:mm:ss" (what the data
// logger's decoder makes). Any other text (an imported line taken as it came)
// has none, and the store keeps it whole.

namespace sonivel {

enum class ETimeStyle : std::uint8_t { Padded = 0, ShortHour = 1 };

struct SPackedTime {
    std::int64_t seconds = 0;
    ETimeStyle style = ETimeStyle::Padded;
};

// The number of text, when it has one: UnpackTimeText of it gives back the
// same bytes.
bool PackTimeText(std::string_view text, SPackedTime& packed);
std::string UnpackTimeText(const SPackedTime& packed);

} // namespace sonivel

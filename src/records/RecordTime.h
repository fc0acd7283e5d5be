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

// The texts of packed times asked one after another, byte for byte those of
// UnpackTimeText, made without allocating: the date is made again only when
// the day changes and the clock only when the second or the style changes,
// so times in order (a file being written) cost little. One per thread.
class CTimeTexts {
public:
    // The text of packed; it stays valid until the next call.
    std::string_view Text(const SPackedTime& packed);

private:
    static constexpr std::size_t kTextMax = 40;
    char m_text[kTextMax];
    std::size_t m_dateEnd = 0;    // the date and its comma: m_text[0, m_dateEnd)
    std::size_t m_end = 0;        // the whole text
    std::int64_t m_day = 0;
    std::int64_t m_seconds = 0;
    ETimeStyle m_style = ETimeStyle::Padded;
    bool m_bDate = false;         // m_text holds the date of m_day
    bool m_bClock = false;        // and the clock of m_seconds in m_style
};

} // namespace sonivel

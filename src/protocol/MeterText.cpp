#include "protocol/MeterText.h"

#include "common/Text.h"

void AppendHexText(const std::uint8_t* data, std::size_t length, std::string& out)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::size_t start = out.size();
    out.resize(start + 2 * length);
    char* p = out.data() + start;
    for (std::size_t i = 0; i < length; ++i) {
        *p++ = kDigits[data[i] >> 4];
        *p++ = kDigits[data[i] & 0x0F];
    }
}

int DigitValue(std::string_view oneChar)
{
    if (oneChar.empty() || oneChar[0] < '0' || oneChar[0] > '9')
        return 0;
    return oneChar[0] - '0';
}

int MeterHour(std::string_view twoChars)
{
    const unsigned flags = twoChars.empty() ? 0u : static_cast<unsigned char>(twoChars[0]);
    int hour = DigitValue(sonivel::Mid(twoChars, 1, 1));
    if (flags & 1u)
        hour += 10;
    if (flags & 2u)
        hour += 12;
    return hour == 24 ? 12 : hour;
}

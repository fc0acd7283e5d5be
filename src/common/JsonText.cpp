#include "common/JsonText.h"

#include "common/Text.h"

namespace sonivel {

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u >= 0x7F) {
            out += Format("\\u%04x", u);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace sonivel

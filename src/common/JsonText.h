#pragma once
#include <string>

namespace sonivel {

// text as a JSON string with its quotes; control and 8-bit bytes as \u00XX.
// The JSON lines of sonivel-log and the MQTT payloads. Pure, any thread.
std::string JsonString(const std::string& text);

} // namespace sonivel

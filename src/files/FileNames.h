#pragma once
#include <ctime>
#include <string>

namespace sonivel {

// The initial name offered by the save dialogs: "%d-%d-%d %d-%d" of the local
// time (year, month, day, hour, minute, no leading zeros) plus the extension,
// e.g. "2011-5-12 14-3.txt".
std::string InitialFileName(std::time_t when, const char* extension);
// The same for the PC clock's current time.
std::string InitialFileName(const char* extension);

} // namespace sonivel

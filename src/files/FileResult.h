#pragma once
#include <string>

namespace sonivel {

// Outcome of writing a file. On failure the message names the file and the
// reason, ready for a message box.
struct SFileResult {
    bool ok = true;
    std::string message;
};

} // namespace sonivel

#pragma once
#include <string>
#include <string_view>
#include <system_error>

namespace sonivel {

// Outcome of writing a file. On failure the message names the file and the
// reason, ready for a message box.
struct SFileResult {
    bool ok = true;
    std::string message;
    // Not ok because the user cancelled: nothing was changed and nothing is reported.
    bool cancelled = false;
};

// The outcome of work the user cancelled.
inline SFileResult FileCancelled()
{
    return {false, {}, true};
}

// The failure "<what> "<path>": <reason>".
inline SFileResult FileFailure(std::string_view what, const std::string& path, std::string_view reason)
{
    return {false, std::string(what) + " \"" + path + "\": " + std::string(reason)};
}

// The same with the system's text for errno value err.
inline SFileResult FileFailure(std::string_view what, const std::string& path, int err)
{
    return FileFailure(what, path, std::error_code(err, std::generic_category()).message());
}

} // namespace sonivel

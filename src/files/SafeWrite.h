#pragma once
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace sonivel {

// Writes content as the whole new contents of the file at path, byte for byte.
// The bytes go to a temporary file in the same folder, which is flushed to disk
// and then renamed over the target, so a failed write (missing folder, no
// permission, full disk) leaves an existing file exactly as it was. A symbolic
// link is followed: the file it points to is replaced, the link stays. An
// existing device or pipe is written in place instead of being replaced.
SFileResult WriteWholeFile(const std::string& path, std::string_view content);

// Reads the whole file at path into content; false with a message on failure.
SFileResult ReadWholeFile(const std::string& path, std::string& content);

} // namespace sonivel

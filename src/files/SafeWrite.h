#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "files/FileResult.h"

namespace sonivel {

// Where the path of a write comes from. A symbolic link at the path is written
// through only when the person chose that very path in a file dialog; a name
// the program makes up (the download's group files, the colour settings, the
// headless tool's files) is never written through a link, since anyone who
// may create files in that folder could have planted it.
enum class EPathSource { Program, UserChosen };

// Writes content as the whole new contents of the file at path, byte for byte,
// on the calling thread. The bytes go to a temporary file in the same folder
// (".<name>.sonivel-tmp-XXXXXX", created exclusively, never through a link),
// which is flushed to disk and then renamed over the target, so a failed write
// (missing folder, no permission, full disk) leaves an existing file exactly
// as it was and no temporary file behind. Temporary files of the same target
// that a crashed writer left are removed first.
//
// A new file gets the permissions the umask allows; a replaced one keeps its
// own. A symbolic link is refused, or for a path the user chose, followed: the
// file it points to is replaced and the link stays. An existing device or pipe
// is written in place (a pipe without a reader is an error, not a wait).
SFileResult WriteWholeFile(const std::string& path, std::string_view content,
                           EPathSource source = EPathSource::Program);

// The same for contents made piece by piece, so that they need not be held
// whole: produce hands each piece to write in order (write returns false when
// the write failed: produce then stops) and returns ok, or its own failure
// (a source it reads failed), which then leaves the file as it was too.
using ContentWriter = std::function<bool(std::string_view piece)>;
using ContentProducer = std::function<SFileResult(const ContentWriter& write)>;
SFileResult WriteFileFrom(const std::string& path, const ContentProducer& produce,
                          EPathSource source = EPathSource::Program);

} // namespace sonivel

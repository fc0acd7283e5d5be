#pragma once
#include <cstddef>
#include <string>

#include "files/FileResult.h"

namespace sonivel {

// Reading files the user or the system put in place, on the calling thread.
// Only regular files are read: a pipe, a device or a folder is refused at
// once (the open never waits for a writer), so nothing can hang the caller or
// feed it endless bytes. Failures name the file.

// Opens path for reading; fd is the open descriptor (the caller closes it),
// -1 on failure.
SFileResult OpenRegularFile(const std::string& path, int& fd);

// Reads a whole file of at most maxBytes into content; a longer file is
// refused without being read.
SFileResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& content);

// Reads up to size bytes from fd, retrying after signals: the count, 0 at the
// end, -1 on error.
long ReadSome(int fd, char* buffer, std::size_t size);

} // namespace sonivel

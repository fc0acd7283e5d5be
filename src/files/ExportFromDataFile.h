#pragma once
#include <string>

#include "files/FileResult.h"
#include "files/SafeWrite.h"

namespace sonivel {

// The spreadsheet export of a data text file that is already on disk (the
// headless logger's run file), made on the calling thread without holding
// the records: the file is read line by line twice, once for the statistics
// and once for the record lines, so memory does not grow with the file. The
// bytes are those of FormatExport (main view) for the file's records, their
// running statistics and sampleRate.
//
// A file without records writes nothing (ok). A data file that cannot be read
// fails with a message naming it; a failed write names exportPath and leaves
// an existing export untouched (see WriteFileFrom).
SFileResult WriteExportFromDataFile(const std::string& dataPath, const std::string& exportPath, double sampleRate,
                                    EPathSource pathSource = EPathSource::Program);

} // namespace sonivel

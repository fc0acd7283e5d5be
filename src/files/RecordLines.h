#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "files/FileResult.h"
#include "files/JobProgress.h"
#include "files/SafeWrite.h"
#include "records/RecordList.h"

namespace sonivel {

// The records [0, n) of records as they are now, for work on another thread.
// Made on the thread that appends to the store: a store's chunks never move
// and it grows only at the end, so the snapshot stays valid while the appends
// go on. The store must not be emptied before the work that reads the
// snapshot has ended.
CRecordSnapshot SnapshotRecords(const CRecordList& records);

// Appends the line of the record with index i (from 0), line end included.
using RecordLineFn = std::function<void(std::string& out, std::size_t i, const CObjData& record)>;

// Writes head and then one line per record as the whole new file at path
// (see WriteFileFrom for source and failures), made in blocks of about 64 KiB
// so memory does not grow with the records. progress counts records; it is
// asked between blocks, and a cancel abandons the temporary file: an existing
// file stays as it was, and the result is FileCancelled(). Runs on the
// calling thread, which may be a worker.
SFileResult WriteRecordLines(const std::string& path, std::string_view head, const CRecordList& records,
                             const RecordLineFn& line, IJobProgress& progress, EPathSource source);

} // namespace sonivel

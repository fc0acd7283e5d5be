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

// One record as the writers read it, field by field as the store keeps it
// (no CObjData made): its index (from 0), level, time text (valid until the
// next record is read), unit, group, interval and milliseconds.
struct SRecordLine {
    std::size_t index;
    double level;
    std::string_view time;
    const SRecordKind& kind;
    int milli;
};

// Reads the records of a list, as they are at its construction, for writing
// them in order: time texts are made from the record before where they share
// the second or the day. Any thread (see SnapshotRecords), one at a time.
class CRecordLines {
public:
    explicit CRecordLines(const CRecordList& records) : m_records(records.Snapshot()) {}
    std::size_t Count() const { return m_records.GetSize(); }
    SRecordLine At(std::size_t i)
    {
        return {i, m_records.LevelAt(i), m_records.TimeTextAt(i, m_texts), m_records.KindOf(i),
                m_records.MilliAt(i)};
    }

private:
    CRecordSnapshot m_records;
    CTimeTexts m_texts;
};

// Appends the line of one record, line end included.
using RecordLineFn = std::function<void(std::string& out, const SRecordLine& record)>;

// Writes head and then one line per record as the whole new file at path
// (see WriteFileFrom for source and failures), made in blocks of about 64 KiB
// so memory does not grow with the records. progress counts records; it is
// asked between blocks, and a cancel abandons the temporary file: an existing
// file stays as it was, and the result is FileCancelled(). Runs on the
// calling thread, which may be a worker.
SFileResult WriteRecordLines(const std::string& path, std::string_view head, const CRecordList& records,
                             const RecordLineFn& line, IJobProgress& progress, EPathSource source);

} // namespace sonivel

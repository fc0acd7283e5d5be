#pragma once
#include <string>
#include <string_view>

#include "files/FileResult.h"
#include "files/JobProgress.h"
#include "files/SafeWrite.h"
#include "records/RecordList.h"

namespace sonivel {

// The CSV export (RFC 4180, UTF-8, lines ending in CR LF) that spreadsheets
// and data tools read without import settings: the header line
// "time,level_db,weighting,local_time" and one line per record, such as
// "2026-12-08T11:01:19.000+01:00,63.50,A,2026-12-08T11:01:19.000".
//  - time: the record's local time in ISO 8601 with milliseconds (its time
//    text's second plus m_nMilli) and the zone's UTC offset at that time. A
//    time text that does not name a real local time is written as it is
//    (quoted), so the row is kept and shows what the record holds.
//  - level_db: two decimals with a dot, whatever the desktop's locale.
//  - weighting: "A" for dBA, "C" for dBC; any other unit text as it is.
//  - local_time: the same time without its offset (empty when the time text
//    cannot be read). Spreadsheets read this form as a date-time without
//    import settings, where they keep a time with an offset as text; data
//    tools take "time", which names the instant.
// A field is quoted when it holds a comma, a quote or a line end (a quote
// doubled inside). Pure functions, any thread.

// The header line, CR LF included.
std::string_view CsvHeader();

// Appends the line of record (CR LF included) to out.
void AppendCsvRow(std::string& out, const CObjData& record);

// Writes the header and every record's line as the whole new file at path,
// made in blocks so memory does not grow with the records (see WriteFileFrom
// for pathSource and failures: an existing file is left as it was). No
// records gives the header line alone.
SFileResult WriteCsv(const std::string& path, const CRecordList& records,
                     EPathSource pathSource = EPathSource::Program);
// The same with progress and cancel (see WriteRecordLines).
SFileResult WriteCsv(const std::string& path, const CRecordList& records, IJobProgress& progress,
                     EPathSource pathSource = EPathSource::Program);

} // namespace sonivel

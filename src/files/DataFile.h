#pragma once
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileResult.h"
#include "files/JobProgress.h"
#include "files/SafeWrite.h"
#include "files/TextLines.h"
#include "records/RecordList.h"

namespace sonivel {

// The data text file: a header line "DECIVOX DATA LOGGER SamplingRate:%2.1f;"
// with the interval of the first record, then one line "%s, %5.2f, %s" (time,
// level, unit) per record. 8-bit text, CR LF line ends, no byte-order mark.
inline constexpr std::string_view kDataFileHeader = "DECIVOX DATA LOGGER SamplingRate";
inline constexpr std::string_view kDataFormatWrong = "Data Format is wrong!";

// The file's contents for records, byte for byte; empty for no records.
std::string FormatDataFile(const CRecordList& records);
// The header line of a file of records taken every sampleRate seconds, without its line end.
std::string FormatDataFileHeader(double sampleRate);
// The file's pieces, each with its line end: the header line for the interval
// of the first record, and the line of one record.
std::string FormatDataHeaderLine(double sampleRate);
std::string FormatDataRecordLine(const CObjData& record);
// Appends the line of a record from its fields, line end included.
void AppendDataRecordLine(std::string& out, std::string_view time, double level, std::string_view unit);

// Writes the file (see WriteWholeFile for source). No records: nothing is
// written (no file is created) and the result is ok. A failure or a cancel
// (see WriteRecordLines for progress) leaves an existing file untouched.
SFileResult WriteDataFile(const std::string& path, const CRecordList& records,
                          EPathSource source = EPathSource::Program);
SFileResult WriteDataFile(const std::string& path, const CRecordList& records, IJobProgress& progress,
                          EPathSource source = EPathSource::Program);

struct SDataFileRead {
    // BadFormat: not a data file (a wrong header, or a line far too long).
    // Cancelled: the reading was cancelled (no records, no message).
    enum class EStatus { Ok, CannotOpen, BadFormat, Cancelled };
    EStatus status = EStatus::Ok;
    // The records read, group 0, all with the header's interval. Replace the
    // logger store with them only when status is Ok.
    CRecordStore records;
    // Why the file was refused: the file and the reason, or "Data Format is wrong!".
    std::string message;
};

// No line of a data file the program writes comes near this length; a longer
// one means the file is something else.
inline constexpr std::size_t kDataFileMaxLine = 65536;

// Reads the file line by line: LF, CR LF and a lone CR end lines alike. The
// header is checked on the first line before anything more is read, and the
// memory held grows only with the records read. Reading stops at the end or
// at the first empty line; record lines are taken as they come, except a last
// line without a line end that is not a whole record (a write cut short): it
// is left out, and the records before it are read. A line longer than
// kDataFileMaxLine refuses the file as "Data Format is wrong!".
SDataFileRead ParseDataFile(CLineReader& lines);
SDataFileRead ParseDataFile(std::string_view content);
SDataFileRead ParseDataFile(std::istream& in);
// Reads the file at path; only a regular file is read (see SafeRead.h).
SDataFileRead ReadDataFile(const std::string& path);
// The same with progress in bytes of the file; a cancel, asked before each
// block read, gives Cancelled and no records. Any thread.
SDataFileRead ReadDataFile(const std::string& path, IJobProgress& progress);

// Reads like ParseDataFile / ReadDataFile, but hands each record to onRecord
// as it is read instead of keeping it (result.records stays empty), so the
// memory held does not grow with the file.
using DataRecordSink = std::function<void(const CObjData&)>;
SDataFileRead ScanDataFile(CLineReader& lines, const DataRecordSink& onRecord);
SDataFileRead ScanDataFile(const std::string& path, const DataRecordSink& onRecord);
SDataFileRead ScanDataFile(const std::string& path, const DataRecordSink& onRecord, IJobProgress& progress);
// ScanDataFile of path that gives false and error, naming path, unless the
// file was read whole (the command-line tools' and the report's reading).
bool ScanDataFileNamed(const std::string& path, const DataRecordSink& onRecord, std::string& error);

// The pieces of the reader, for the data-logger window and tests.
double ParseHeaderRate(std::string_view header);
CObjData ParseRecordLine(std::string_view line, double rate);
// Whether line holds a whole record as the writers make it: a time text with
// its comma, a level and a unit "dBA" or "dBC" after their own commas.
bool IsWholeRecordLine(std::string_view line);

} // namespace sonivel

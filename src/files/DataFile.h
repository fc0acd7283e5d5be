#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileResult.h"
#include "monitor/RecordList.h"

namespace sonivel {

// The data text file: a header line "DECIVOX DATA LOGGER SamplingRate:%2.1f;"
// with the interval of the first record, then one line "%s, %5.2f, %s" (time,
// level, unit) per record. 8-bit text, CR LF line ends, no byte-order mark.
inline constexpr std::string_view kDataFileHeader = "DECIVOX DATA LOGGER SamplingRate";
inline constexpr std::string_view kDataFormatWrong = "Data Format is wrong!";

// The file's contents for records, byte for byte; empty for no records.
std::string FormatDataFile(const CRecordList& records);

// Writes the file. No records: nothing is written (no file is created) and the
// result is ok. A failure leaves an existing file untouched.
SFileResult WriteDataFile(const std::string& path, const CRecordList& records);

struct SDataFileRead {
    enum class EStatus { Ok, CannotOpen, BadHeader };
    EStatus status = EStatus::Ok;
    // The records read, group 0, all with the header's interval. Replace the
    // logger store with them only when status is Ok.
    std::vector<std::unique_ptr<CObjData>> records;
    // Why the file was refused: the file and the reason, or "Data Format is wrong!".
    std::string message;
};

// Reads file contents (LF or CR LF line ends). Reading stops at the end or at
// the first empty line; record lines are taken as they come, never refused.
SDataFileRead ParseDataFile(std::string_view content);
SDataFileRead ParseDataFile(std::istream& in);
// Reads the file at path.
SDataFileRead ReadDataFile(const std::string& path);

// The pieces of the reader, for the data-logger window and tests.
double ParseHeaderRate(std::string_view header);
std::unique_ptr<CObjData> ParseRecordLine(std::string_view line, double rate);

} // namespace sonivel

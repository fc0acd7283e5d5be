#pragma once
#include <string>
#include <string_view>

#include "files/FileResult.h"
#include "files/JobProgress.h"
#include "files/SafeWrite.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace sonivel {

// Which window exports: the data-logger window writes one blank more before
// the tab of the maximum line.
enum class EExportSource { MainView, DataLogger };

// The spreadsheet export (tab-separated text): five statistics lines, the
// column heads and one line per record; every line ends with a tab and CR LF.
// Empty for no records.
std::string FormatExport(const CRecordList& records, const SStatBlock& stats, EExportSource source);
// Its pieces: the statistics lines with the column heads, and the line of
// the record with number id (from 1).
std::string FormatExportHead(const SStatBlock& stats, EExportSource source);
std::string FormatExportRow(std::size_t id, const CObjData& record);
// Appends the line of a record from its fields.
void AppendExportRow(std::string& out, std::size_t id, std::string_view time, double level, std::string_view unit);

// Writes the export file (see WriteWholeFile for pathSource). No records:
// nothing is written and the result is ok. A failure or a cancel (see
// WriteRecordLines for progress) leaves an existing file untouched.
SFileResult WriteExport(const std::string& path, const CRecordList& records, const SStatBlock& stats,
                        EExportSource source, EPathSource pathSource = EPathSource::Program);
SFileResult WriteExport(const std::string& path, const CRecordList& records, const SStatBlock& stats,
                        EExportSource source, IJobProgress& progress, EPathSource pathSource = EPathSource::Program);

} // namespace sonivel

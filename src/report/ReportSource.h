#pragma once
// What a report shows of one data text file or one window's records: the
// noise figures and the chart envelope of each weighting, gathered in one
// pass over the records so that a file is never held in memory. Pure; one
// thread at a time (the window collects on a worker). Reading a file that
// fails leaves a message naming it.
#include <optional>
#include <string>
#include <vector>

#include "acoustics/NoiseFigures.h"
#include "files/JobProgress.h"
#include "records/RecordList.h"
#include "report/LevelEnvelope.h"

namespace sonivel {

// The records of one weighting; figures of dBA and dBC records are never mixed.
struct SWeightingSpan {
    std::string unit;   // "dBA" or "dBC", as the records have it
    SNoiseFigures figures;
    double interval = 0;                   // the first record's sampling interval, seconds
    std::optional<SCalendarTime> origin;   // the time at the chart's left edge (none when no time reads)
    CLevelEnvelope envelope;
};

struct SReportSource {
    std::string name;                   // the file's name (or the window's records) as the report shows it
    std::vector<SWeightingSpan> spans;   // in the order each weighting first appears; empty for no records
};

// Gathers records one by one (O(1) each, amortised).
class CReportCollector {
public:
    void Add(const CObjData& record);
    SReportSource Finish(std::string name) const;

private:
    struct SPart {
        std::string unit;
        CRunningFigures figures;
        CRecordTimeline timeline;
        CLevelEnvelope envelope;
        double interval = 0;
    };
    std::vector<SPart> m_parts;
};

// The report source of a window's records.
SReportSource ReportSourceOf(const std::string& name, const CRecordList& records);
// The same with progress (counting records) and cancel, asked between blocks
// of records, for a worker thread reading a snapshot (SnapshotRecords): none
// when cancelled.
std::optional<SReportSource> ReportSourceOf(const std::string& name, const CRecordList& records,
                                            IJobProgress& progress);

// Reads the data text file at path record by record; its name in the report is
// the file's own name without the folders. False with error naming the file
// when it cannot be read or is not a data file.
bool ReadReportSource(const std::string& path, SReportSource& source, std::string& error);

} // namespace sonivel

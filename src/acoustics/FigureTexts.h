#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "acoustics/NoiseFigures.h"
#include "records/RecordList.h"

namespace sonivel {

// The noise figures of a span as rows of texts, for the Noise Statistics
// window (and anything else that shows them as a table). Pure; any thread.
//
// Figures are named by the weighting: "LAeq", "LA10", "LAmax" for dBA records,
// "LCeq" ... for dBC. Levels are "%.1f dB"; times "yyyy-mm-dd hh:mm:ss" as the
// records hold them (local time), "-" when a record's time text cannot be
// read; a level that is not a number (the exposure level of a span whose
// interval reads as 0) is "-".
struct SFigureRow {
    std::string name;    // "LAeq", "Count", "Lden"
    std::string value;   // "72.3 dB", "6", "2026-12-07 05:09:00", "0:01:00"
    std::string time;    // when the level occurred (LAmax, LAmin), else empty
};

struct SHourRow {
    std::string hour;    // the clock hour's start, "2026-12-07 05:00"
    std::string leq;     // "72.3 dB"
    std::string count;   // records in that hour
};

struct SWeightingTexts {
    std::string heading;   // "A-weighted (dBA)"
    std::string leqName;   // "LAeq": the heading of the hourly level column
    // LAeq, LAmax, LAmin, LA5, LA10, LA50, LA90, LA95, SEL, Average (the
    // arithmetic mean), Count, Start, End, Duration, then Lday, Levening,
    // Lnight and Lden, each only when the span has it.
    std::vector<SFigureRow> figures;
    std::vector<SHourRow> hourly;   // in time order
};

// The rows of one weighting ("dBA", "dBC"); figures.count must be above 0.
SWeightingTexts WeightingTexts(const std::string& unit, const SNoiseFigures& figures);
// Every weighting of a span, in the order in which each first appears.
std::vector<SWeightingTexts> SpanTexts(const CFiguresByWeighting& figures);

// The figures of records first to last of a list, both included (indexes
// beyond the list are left out).
CFiguresByWeighting FiguresOfRange(const CRecordList& records, std::size_t first, std::size_t last);

// A duration of seconds as "h:mm:ss", with tenths when it has them
// ("0:00:02.5"); a negative or non-finite duration is "-".
std::string DurationText(double seconds);

} // namespace sonivel

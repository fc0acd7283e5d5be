#pragma once
#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "graph/ChartState.h"
#include "records/RecordList.h"
#include "protocol/LocalTimeStep.h"

namespace sonivel {

// The base text of the time axis when the list is empty (rate 1 s per sample).
inline constexpr const char* kPlaceholderTime = "30-6-2010,00:00:00";
inline constexpr const char* kTimeFormatWrong = "Time Format is wrong!";

// Reads a date-time text "d-m-y,h:m:s" as local time. A text that does not
// hold the six numbers in that pattern, or whose fields do not name a real
// time (month 13, 31 February, hour 24 ...), gives nothing: it is never
// normalised into some other time.
std::optional<std::time_t> ParseDateTime(std::string_view text);
// The same text's fields, read and checked the same way, without turning them
// into an instant (cheap enough for every record of a long file).
std::optional<SCalendarTime> ParseDateTimeFields(std::string_view text);
// "dd-mm-yyyy,hh:mm:ss" and "hh:mm:ss" of a local time.
std::string FormatFullDateTime(std::time_t t);
std::string FormatClock(std::time_t t);

// One label of the time axis: the full text (date,time) and the text shown
// under the tick (the part after the first comma for a record).
struct STimeTick {
    std::string full;
    std::string shown;
};

// The six labels of the time axis, tick t at the plot column t * W div 5 + 45.
// Tick t shows the sample under its column, counted from the view's offset:
// a record shows its stored time text; a sample past the last record shows
// that record's time plus the sampling steps between them (before the first
// record, the first record's time less them; an empty list counts from the
// placeholder time at 1 s per sample). So the labels increase from left to
// right whatever the zoom and scroll position.
// When a time cannot be read or made, count holds the ticks done before it and
// failed is set: the caller reports kTimeFormatWrong and skips the rest.
// Printing uses the same labels with its own column positions.
struct STimeAxis {
    std::array<STimeTick, 6> ticks;
    int count = 0;
    bool failed = false;
};
STimeAxis TimeAxisLabels(const SChartState& s, const CRecordList& records);

// The screen column of tick t.
int TimeTickColumn(const SChartState& s, int t);

} // namespace sonivel

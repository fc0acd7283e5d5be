#pragma once
#include <string>
#include <vector>

#include "acoustics/NoiseFigures.h"

// The noise figures as the JSON lines of sonivel-log (stats, and record with
// --stats-json): one object per weighting, in the order the weightings first
// appear, with file, weighting ("A", "C"), count, start, end, duration_s,
// lmax, lmax_time, lmin, lmin_time, average, leq, sel, l5 ... l95 (levels
// rounded to 0.01, times as ISO 8601 local time with the UTC offset, null
// when a time cannot be told), and with hourly the hourly list and lday,
// levening, lnight, lden when they exist. Figures without a record give one
// object with count 0 and null figures. Pure formatting, any thread.
std::vector<std::string> FiguresJsonLines(const std::string& file, const sonivel::CFiguresByWeighting& figures,
                                          bool hourly);

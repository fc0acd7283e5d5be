#pragma once
#include <ctime>
#include <string>
#include <string_view>

// How a recording run names its files, without doing any writing: the names
// given with --out and --export may hold strftime fields, filled in with the
// local time of the records they hold; with rotation each local hour or day
// gets files of its own. Pure functions, any thread.

enum class ERotate { None, Hourly, Daily };

// The local calendar time of a record's time text "dd-mm-yyyy,hh:mm:ss";
// false when the text is no such time.
bool ParseRunTime(std::string_view text, std::tm& tm);

// The period a record's local time falls in: equal for every time of one
// local hour (Hourly) or day (Daily), so a new period begins exactly at the
// local-time boundary; always 0 without rotation. Periods are compared, not
// computed with: a repeated hour when the clocks go back stays one period.
long long PeriodOf(const std::tm& tm, ERotate rotate);

// pattern with its strftime fields (%Y %m %d %H ...; "%%" for a '%') filled
// in for the local time tm; empty when that gives no name.
std::string ExpandName(const std::string& pattern, const std::tm& tm);

// Whether two paths name one file, also through links: a symbolic link in
// their folders or at the file, or a hard link of an existing file.
bool SameFile(const std::string& a, const std::string& b);

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace sonivel {

// A colour as 0x00BBGGRR: red in the low byte.
using Colorref = std::uint32_t;
constexpr Colorref Rgb(int r, int g, int b)
{
    return static_cast<Colorref>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int RedOf(Colorref c) { return static_cast<int>(c & 255); }
constexpr int GreenOf(Colorref c) { return static_cast<int>((c >> 8) & 255); }
constexpr int BlueOf(Colorref c) { return static_cast<int>((c >> 16) & 255); }

// The chart's three user colours.
struct SChartColors {
    Colorref background = Rgb(0, 100, 100);
    Colorref grid = Rgb(255, 0, 255);
    Colorref line = Rgb(0, 0, 255);
    bool operator==(const SChartColors&) const = default;
};

// The colour settings file: $XDG_CONFIG_HOME (or ~/.config) followed by
// "/Sonivel/ColorConfig.ini"; the bare name when neither can be determined.
std::string ColorSettingsPath();

// A colour settings file is a few lines; a longer file is something else.
inline constexpr std::size_t kColorFileMaxBytes = 64 * 1024;

// Reads the three colours, on the calling thread (the chart's constructor). A
// missing file, section or key gives that component's default; a value that
// is not a number reads as 0, a negative one as 0, and each value keeps only
// its low eight bits. Only a regular file of at most kColorFileMaxBytes is
// read: anything else (a pipe, a device, a huge file) gives the defaults
// without waiting or reading it.
SChartColors ReadColorSettings(const std::string& path);

// Writes all nine keys (sections Kova_BKCOLOR, Kova_GRIDCOLOR, Kova_LINECOLOR,
// keys RVALUE, GVALUE, BVALUE). Values of keys already in the file are
// replaced and everything else in it is kept (a file that is not a colour
// file, as above, is replaced). The folder is created when missing; the file
// is replaced through a temporary file (sonivel::WriteWholeFile: a failed
// write leaves the old file as it was, the permissions follow the umask or the
// old file, a symbolic link is refused). Returns false on failure.
bool WriteColorSettings(const std::string& path, const SChartColors& colors);

// The same on file contents: the colours a file holds, and the contents with
// the nine keys set to colors.
SChartColors ParseColorSettings(const std::string& content);
std::string WithColorSettings(std::string content, const SChartColors& colors);

// The INI rules behind reading and writing, on file contents.
// GetProfileInt: the integer value of key in section, or def when either is
// missing (names compare without case; blanks around names and values ignored).
int GetProfileInt(const std::string& content, const std::string& section, const std::string& key, int def);
// SetProfileString: content with key in section set to value, appending the
// key at the end of its section or a new section at the end of the file.
std::string SetProfileString(const std::string& content, const std::string& section, const std::string& key,
                             const std::string& value);

} // namespace sonivel

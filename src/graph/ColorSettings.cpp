#include "graph/ColorSettings.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "files/SafeRead.h"
#include "files/SafeWrite.h"

namespace sonivel {
namespace {

const char* const kSections[3] = {"Kova_BKCOLOR", "Kova_GRIDCOLOR", "Kova_LINECOLOR"};
const char* const kKeys[3] = {"RVALUE", "GVALUE", "BVALUE"};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// One line of the file without its line end, with the line end kept apart so
// that a rewrite leaves untouched lines byte for byte.
struct SLine {
    std::string text;
    const char* end = "";   // "", "\n", "\r\n" or "\r"
};

// LF, CR LF and a lone CR each end a line.
std::vector<SLine> SplitLines(const std::string& content)
{
    std::vector<SLine> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", pos);
        SLine line;
        if (end == std::string::npos) {
            line.text = content.substr(pos);
            pos = content.size();
        } else {
            line.text = content.substr(pos, end - pos);
            const bool crlf = content.compare(end, 2, "\r\n") == 0;
            line.end = crlf ? "\r\n" : content[end] == '\r' ? "\r" : "\n";
            pos = end + (crlf ? 2 : 1);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key name of a "key=value" line (not a comment).
std::optional<std::string_view> KeyName(std::string_view line)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(0, eq));
}

// Line numbers of the first section with this name: its header and one past
// its last line.
struct SSectionSpan {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SSectionSpan> FindSection(const std::vector<SLine>& lines, std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (!name || !SameName(*name, section))
            continue;
        SSectionSpan span{i, i + 1};
        while (span.end < lines.size() && !SectionName(lines[span.end].text))
            ++span.end;
        return span;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<SLine>& lines, const SSectionSpan& span, std::string_view key)
{
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyName(lines[i].text);
        if (name && SameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::string JoinLines(const std::vector<SLine>& lines)
{
    std::string out;
    for (const SLine& l : lines) {
        out += l.text;
        out += l.end;
    }
    return out;
}

// New lines follow the file's own line ends; a new file gets CR LF.
const char* LineEndOf(const std::vector<SLine>& lines)
{
    for (const SLine& l : lines)
        if (*l.end)
            return l.end;
    return "\r\n";
}

// The file's contents; empty when it is missing or is not a colour file (not
// a regular file, or longer than any colour file).
std::string ReadColorFile(const std::string& path)
{
    std::string content;
    ReadSmallFile(path, kColorFileMaxBytes, content);
    return content;
}

Colorref ReadColor(const std::string& content, const char* section, Colorref def)
{
    const int r = GetProfileInt(content, section, kKeys[0], RedOf(def));
    const int g = GetProfileInt(content, section, kKeys[1], GreenOf(def));
    const int b = GetProfileInt(content, section, kKeys[2], BlueOf(def));
    return Rgb(r, g, b);
}

} // namespace

int GetProfileInt(const std::string& content, const std::string& section, const std::string& key, int def)
{
    const std::vector<SLine> lines = SplitLines(content);
    const auto span = FindSection(lines, section);
    if (!span)
        return def;
    const auto at = FindKey(lines, *span, key);
    if (!at)
        return def;
    const std::string& line = lines[*at].text;
    const int v = AtoI(Trim(std::string_view(line).substr(line.find('=') + 1)));
    return v < 0 ? 0 : v;
}

std::string SetProfileString(const std::string& content, const std::string& section, const std::string& key,
                             const std::string& value)
{
    std::vector<SLine> lines = SplitLines(content);
    const char* const eol = LineEndOf(lines);
    const std::string entry = key + "=" + value;
    if (const auto span = FindSection(lines, section)) {
        if (const auto at = FindKey(lines, *span, key)) {
            lines[*at].text = entry;
        } else {
            // After the section's last non-blank line.
            std::size_t pos = span->end;
            while (pos > span->header + 1 && Trim(lines[pos - 1].text).empty())
                --pos;
            if (!*lines[pos - 1].end)
                lines[pos - 1].end = eol;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(pos), SLine{entry, eol});
        }
    } else {
        if (!lines.empty() && !*lines.back().end)
            lines.back().end = eol;
        lines.push_back(SLine{"[" + section + "]", eol});
        lines.push_back(SLine{entry, eol});
    }
    return JoinLines(lines);
}

std::string ColorSettingsPath()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (xdg && *xdg == '/') {
        folder = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.config";
    } else {
        return "ColorConfig.ini";
    }
    return folder + "/Sonivel/ColorConfig.ini";
}

SChartColors ParseColorSettings(const std::string& content)
{
    SChartColors colors;
    colors.background = ReadColor(content, kSections[0], colors.background);
    colors.grid = ReadColor(content, kSections[1], colors.grid);
    colors.line = ReadColor(content, kSections[2], colors.line);
    return colors;
}

std::string WithColorSettings(std::string content, const SChartColors& colors)
{
    const Colorref values[3] = {colors.background, colors.grid, colors.line};
    for (int s = 0; s < 3; ++s) {
        const int parts[3] = {RedOf(values[s]), GreenOf(values[s]), BlueOf(values[s])};
        for (int k = 0; k < 3; ++k)
            content = SetProfileString(content, kSections[s], kKeys[k], Format("%d", parts[k]));
    }
    return content;
}

SChartColors ReadColorSettings(const std::string& path)
{
    return ParseColorSettings(ReadColorFile(path));
}

bool WriteColorSettings(const std::string& path, const SChartColors& colors)
{
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    return WriteWholeFile(path, WithColorSettings(ReadColorFile(path), colors)).ok;
}

} // namespace sonivel

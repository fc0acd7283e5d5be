#pragma once
#include <string>
#include <string_view>

namespace sonivel {

// The program's text files end every line with CR LF, on every platform.
inline constexpr std::string_view kLineEnd = "\r\n";

inline void AppendLine(std::string& out, std::string_view line)
{
    out.append(line);
    out.append(kLineEnd);
}

// Splits file contents into lines as a text-mode reader sees them: the line
// end (LF, or CR LF) is removed; a last line without a line end still counts.
class CLineReader {
public:
    explicit CLineReader(std::string_view content) : m_rest(content) {}

    // The next line; false at the end of the contents.
    bool Next(std::string_view& line)
    {
        if (m_rest.empty())
            return false;
        const auto end = m_rest.find('\n');
        if (end == std::string_view::npos) {
            line = m_rest;
            m_rest = {};
        } else {
            line = m_rest.substr(0, end);
            m_rest.remove_prefix(end + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
        }
        return true;
    }

private:
    std::string_view m_rest;
};

} // namespace sonivel

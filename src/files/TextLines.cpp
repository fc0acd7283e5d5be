#include "files/TextLines.h"

#include <charconv>
#include <utility>

namespace sonivel {
namespace {

constexpr std::size_t kChunk = 65536;

// The position of the first CR or LF in text from from on, npos if none. A
// plain loop: lines are short, and find_first_of searches its set per byte.
std::size_t FindLineEnd(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == '\n' || text[i] == '\r')
            return i;
    return std::string_view::npos;
}

} // namespace

void AppendFixed2(std::string& out, double value, std::size_t width)
{
    // to_chars with a precision is defined as printf's conversion in the C locale.
    char digits[400];   // the longest: "-" and 309 digits of DBL_MAX, the point and two decimals
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    const auto size = static_cast<std::size_t>(r.ptr - digits);
    if (size < width)
        out.append(width - size, ' ');
    out.append(digits, size);
}

CLineReader::CLineReader(Source source, std::size_t maxLine) : m_source(std::move(source)), m_nMaxLine(maxLine) {}

CLineReader::CLineReader(std::string_view text, std::size_t maxLine)
    : m_nMaxLine(maxLine), m_rest(text), m_bEnd(true)
{
}

bool CLineReader::Fill()
{
    if (m_bEnd || m_bError)
        return false;
    // The unread rest is the tail of the buffer; it moves to the front.
    const std::size_t kept = m_rest.size();
    m_buffer.erase(0, m_buffer.size() - kept);
    m_buffer.resize(kept + kChunk);
    const long n = m_source(m_buffer.data() + kept, kChunk);
    m_buffer.resize(kept + (n > 0 ? static_cast<std::size_t>(n) : 0));
    m_rest = m_buffer;
    m_bEnd = n == 0;
    m_bError = n < 0;
    return n > 0;
}

CLineReader::EStatus CLineReader::Next(std::string_view& line, bool& ended)
{
    std::size_t scanned = 0;
    for (;;) {
        const std::size_t end = FindLineEnd(m_rest, scanned);
        if (end == std::string_view::npos) {
            if (m_rest.size() > m_nMaxLine)
                return EStatus::TooLong;
            scanned = m_rest.size();
            if (Fill())
                continue;
            if (m_bError)
                return EStatus::Error;
            if (m_rest.empty())
                return EStatus::End;
            line = m_rest;
            ended = false;
            m_rest = {};
            return EStatus::Line;
        }
        if (end > m_nMaxLine)
            return EStatus::TooLong;
        // A CR that ends the text read so far may be the first half of a CR LF.
        if (m_rest[end] == '\r' && end + 1 == m_rest.size() && Fill()) {
            scanned = end;
            continue;
        }
        std::size_t next = end + 1;
        if (m_rest[end] == '\r' && next < m_rest.size() && m_rest[next] == '\n')
            ++next;
        line = m_rest.substr(0, end);
        ended = true;
        m_rest.remove_prefix(next);
        return EStatus::Line;
    }
}

} // namespace sonivel

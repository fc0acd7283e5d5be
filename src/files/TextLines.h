#pragma once
#include <cstddef>
#include <functional>
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

// Appends value with two decimals, right-aligned in at least width
// characters: the bytes printf's "%<width>.2f" makes in the C locale, for
// every value ("nan", "-nan", "inf", "-0.00" and the 309 digits of 1e308
// alike), without the cost of printf.
void AppendFixed2(std::string& out, double value, std::size_t width = 0);

// Splits text into lines, reading it piece by piece, so that only the line
// being split is held: LF, CR LF and a lone CR each end a line and are
// removed. A last line without a line end still counts; the caller learns
// that it had none. Used on the calling thread only.
class CLineReader {
public:
    // Puts up to size bytes into buffer: the count, 0 at the end of the text,
    // -1 on a read error (errno tells why).
    using Source = std::function<long(char* buffer, std::size_t size)>;

    enum class EStatus {
        Line,      // a line was read
        End,       // no more text
        TooLong,   // a line longer than the limit: the text is not one of ours
        Error      // the source failed; errno tells why
    };

    // Lines of text arriving through source, each at most maxLine bytes.
    CLineReader(Source source, std::size_t maxLine);
    // Lines of text already in memory (it must outlive the reader).
    CLineReader(std::string_view text, std::size_t maxLine);

    // The next line; it stays valid until the next call. ended tells whether
    // a line end followed it.
    EStatus Next(std::string_view& line, bool& ended);

private:
    // Reads more text behind the unread rest; false at the end or on error.
    bool Fill();

    Source m_source;
    std::size_t m_nMaxLine;
    std::string m_buffer;          // text read from the source and not yet returned
    std::string_view m_rest;       // the unread text (in m_buffer, or the caller's)
    bool m_bEnd = false;           // the source has nothing more
    bool m_bError = false;
};

} // namespace sonivel

#include "common/Text.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace sonivel {
namespace {

// Numbers in files and on the wire always use a decimal point, whatever locale
// the desktop runs in: formatting and parsing switch this thread to the C
// locale for the call.
class CNumericLocale {
public:
    CNumericLocale() : m_old(uselocale(CLocale())) {}
    ~CNumericLocale() { uselocale(m_old); }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    static locale_t CLocale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return c;
    }
    locale_t m_old;
};

} // namespace

std::string Format(const char* fmt, ...)
{
    CNumericLocale numeric;
    char small[256];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) {
        va_end(copy);
        return {};
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        va_end(copy);
        return std::string(small, static_cast<std::size_t>(n));
    }
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, copy);
    va_end(copy);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

double AtoF(std::string_view text)
{
    // strtod needs a terminated text; numbers in files and on the wire are short,
    // so a small stack copy covers them and longer texts go to the heap.
    char small[64];
    std::string big;
    const char* p;
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        p = small;
    } else {
        big.assign(text);
        p = big.c_str();
    }
    CNumericLocale numeric;
    return std::strtod(p, nullptr);
}

int AtoI(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::string_view Mid(std::string_view text, std::size_t pos, std::size_t count)
{
    if (pos >= text.size())
        return {};
    return text.substr(pos, count);
}

} // namespace sonivel

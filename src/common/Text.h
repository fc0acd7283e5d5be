#pragma once
#include <string>
#include <string_view>

namespace sonivel {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The C library's atof and atoi rules on a text that need not be
// NUL-terminated: leading blanks skipped, the longest leading number taken,
// no number gives 0. AtoI saturates instead of overflowing.
double AtoF(std::string_view text);
int AtoI(std::string_view text);

// Safe substring: positions past the end give an empty or shortened text.
std::string_view Mid(std::string_view text, std::size_t pos, std::size_t count = std::string_view::npos);

} // namespace sonivel

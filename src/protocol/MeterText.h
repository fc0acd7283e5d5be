#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Helpers for the meter's bytes seen as lower-case hexadecimal text (two
// characters per byte), the form in which every marker is searched.

// Appends each byte as two lower-case hexadecimal digits (as "%.2x" does).
void AppendHexText(const std::uint8_t* data, std::size_t length, std::string& out);

// A single character read as a decimal digit: a digit gives its value,
// anything else (a hexadecimal letter, nothing) gives 0.
int DigitValue(std::string_view oneChar);

// The meter's hour byte, as its two text characters: the low character is
// the units digit; bit 0 of the high character's code adds 10 (tens), bit 1
// adds 12 (afternoon on the 12-hour clock); 24 is shown as 12.
int MeterHour(std::string_view twoChars);

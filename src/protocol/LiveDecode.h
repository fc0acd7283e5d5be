#pragma once
#include <string_view>

#include "protocol/LiveReading.h"

// Decodes one 40-character live frame (hexadecimal text beginning "a50d")
// into the live reading: level, weighting, clock time and the indicator
// codes. Codes are found at any character position, also across two bytes.
// Characters missing from a short frame read as empty.
// A frame whose level field is not four decimal digits is no reading: the
// result is false and the reading keeps every value it had.
bool DecodeLiveFrameText(std::string_view frame, SLiveReading& reading);

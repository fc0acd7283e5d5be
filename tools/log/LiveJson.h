#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/JsonText.h"
#include "protocol/LiveReading.h"
#include "protocol/Receiver.h"

// What a received chunk will do on the receiver's live path: decode a frame
// (the buffer then holds more than one frame's text and begins with "a50d"),
// count as the HOLD marker (its text holds "ff"), or neither. Asked before
// the chunk is handed to the receiver.
enum class ELiveEvent { None, Frame, Hold };
ELiveEvent PredictLiveEvent(const CReceiver& receiver, const std::uint8_t* data, std::size_t count);

// The live reading as one JSON object (no line end): level, unit, range,
// fast, max, min, hold, over, under, rec, bar_held, digits_held, meter_time
// (null while the meter has not told it) and pc_time (the text given, the
// PC's time of the reading: see PcTime.h).
std::string LiveReadingJson(const SLiveReading& reading, const std::string& pcTime);

using sonivel::JsonString;

#include "protocol/LiveDecode.h"

#include <optional>

#include "common/Clock.h"
#include "common/Text.h"
#include "protocol/MeterText.h"
#include "protocol/Receiver.h"

using sonivel::Mid;

namespace {

constexpr std::size_t kFrameChars = 40;
// Text kept from a buffer that holds no frame start: enough for a frame
// start split across chunks, and enough to keep the buffer at 40 characters
// or more, so that later chunks see the same buffer length checks.
constexpr std::size_t kUnframedTail = kFrameChars;
constexpr std::size_t kUnframedLimit = 2 * kFrameChars;

bool Has(std::string_view frame, std::string_view code)
{
    return frame.find(code) != std::string_view::npos;
}

// Level: four decimal digits in tenths of a dB (bytes 0x06 0x35 are 63.5).
// A field holding anything else (a hexadecimal letter, a short frame) is no
// reading.
std::optional<double> DecodeLevel(std::string_view frame)
{
    const std::string_view digits = Mid(frame, 4, 4);
    if (digits.size() != 4)
        return std::nullopt;
    int tenths = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        tenths = tenths * 10 + (c - '0');
    }
    return tenths / 10.0;
}

// Clock time: the three bytes after the code "a506", shown with the PC's date.
void DecodeClock(std::string_view frame, SLiveReading& reading)
{
    const std::tm today = sonivel::LocalTime(sonivel::Now());
    const std::size_t t = frame.find("a506");
    if (t == std::string_view::npos)
        return;
    const long hour = MeterHour(Mid(frame, t + 4, 2));
    const std::string minutes(Mid(frame, t + 6, 2));
    const std::string seconds(Mid(frame, t + 8, 2));
    const std::string clock = sonivel::Format("%.2ld:%s:%s", hour, minutes.c_str(), seconds.c_str());
    reading.m_strMeterTime = sonivel::Format("%.2d-%.2d-%d,%s", today.tm_mday, today.tm_mon + 1,
                                             today.tm_year + 1900, clock.c_str());
}

// Indicator codes, applied in this order: when a frame holds codes that
// contradict each other, the later one wins.
void DecodeIndicators(std::string_view frame, SLiveReading& r)
{
    if (Has(frame, "a502"))
        r.m_bFast = true;
    if (Has(frame, "a503"))
        r.m_bFast = false;
    if (Has(frame, "a504")) {
        r.m_bMax = true;
        r.m_bMin = false;
    }
    if (Has(frame, "a505")) {
        r.m_bMin = true;
        r.m_bMax = false;
    }
    if (Has(frame, "a50e")) {
        r.m_bMax = false;
        r.m_bMin = false;
    }
    if (Has(frame, "a508"))
        r.m_bUnder = true;
    if (Has(frame, "a511")) {
        r.m_bUnder = false;
        r.m_bOver = false;
    }
    if (Has(frame, "a507"))
        r.m_bOver = true;
    if (Has(frame, "a50a"))
        r.m_bRec = true;
    if (Has(frame, "a51a"))
        r.m_bRec = false;
    r.m_bBarHeld = Has(frame, "a50b");
    r.m_bDigitsHeld = Has(frame, "a50c");
    if (Has(frame, "a530"))
        r.m_nRange = 1;
    if (Has(frame, "a54b"))
        r.m_nRange = 2;
    if (Has(frame, "a54c"))
        r.m_nRange = 3;
    if (Has(frame, "a540"))
        r.m_nRange = 4;
}

} // namespace

bool DecodeLiveFrameText(std::string_view frame, SLiveReading& reading)
{
    const std::optional<double> level = DecodeLevel(frame);
    if (!level)
        return false;
    reading.m_dLevel = *level;
    const std::string_view weighting = Mid(frame, 14, 2);
    if (weighting == "1b")
        reading.m_bWeightA = true;
    else if (weighting == "1c")
        reading.m_bWeightA = false;
    DecodeClock(frame, reading);
    DecodeIndicators(frame, reading);
    return true;
}

// Drops the text in front of the first frame start "a50d". Without one, only
// the tail that can still hold the start of a frame is kept, and the buffer
// stays at 40 characters or more, as it would if it grew. Result: whether the
// buffer now begins with a frame start.
bool CReceiver::AlignOnFrameStart()
{
    const std::size_t p = m_strReceive.find("a50d");
    if (p == std::string::npos) {
        if (m_strReceive.size() > kUnframedLimit)
            m_strReceive.erase(0, m_strReceive.size() - kUnframedTail);
        return false;
    }
    m_strReceive.erase(0, p);
    return true;
}

// Aligns the receive buffer on the frame start "a50d" and decodes every frame
// at its front that has text behind it: a frame is decoded once the next
// bytes arrive, however its own bytes were split into chunks, so the live
// reading is one frame behind the meter.
void CReceiver::DecodeLiveFrame()
{
    if (m_strReceive.size() < kFrameChars || !AlignOnFrameStart() || m_strReceive.size() < kFrameChars)
        return;
    while (m_strReceive.size() > kFrameChars) {
        if (DecodeLiveFrameText(std::string_view(m_strReceive).substr(0, kFrameChars), m_live))
            ++m_live.m_nUpdates;
        m_strReceive.erase(0, kFrameChars);
        if (m_strReceive.size() < kFrameChars || !AlignOnFrameStart())
            break;   // the rest waits for the next chunk
    }
    m_host.OnPanelRepaint();
}

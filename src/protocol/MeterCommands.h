#pragma once
#include <cstdint>

#include "protocol/LiveReading.h"

// The meter's six keys, by key code (the view's m_nKeyCode).
enum EMeterKey { KEY_STOP = 0, KEY_REC = 1, KEY_MAXMIN = 2, KEY_FASTSLOW = 3, KEY_LEVEL = 4, KEY_AC = 5 };

// The request that makes the meter send its data-logger memory.
inline constexpr std::uint8_t kLoggerRequest[2] = {0x5A, 0xAC};

bool IsValidKey(int keyCode);
std::uint8_t KeyByte(int keyCode);        // 0x33 0x55 0x11 0x77 0x88 0x99
int KeyPauseMs(int keyCode);              // 600, or 500 for Level

// The live-reading member a key press watches, with its value at the press.
// The key byte is repeated until Changed() says the meter obeyed.
class CKeyWatch {
public:
    CKeyWatch(int keyCode, const SLiveReading& atPress);
    bool Changed(const SLiveReading& now) const;
    int KeyCode() const { return m_nKey; }

private:
    int Watched(const SLiveReading& r) const;

    int m_nKey;
    int m_nStart;   // the watched member's value at the press
    bool m_bWatchMin = false;
};

#include "protocol/MeterCommands.h"

namespace {

constexpr std::uint8_t kKeyBytes[6] = {0x33, 0x55, 0x11, 0x77, 0x88, 0x99};

} // namespace

bool IsValidKey(int keyCode)
{
    return keyCode >= KEY_STOP && keyCode <= KEY_AC;
}

// 0 for a key code outside 0-5: such a press sends nothing.
std::uint8_t KeyByte(int keyCode)
{
    return IsValidKey(keyCode) ? kKeyBytes[keyCode] : 0;
}

int KeyPauseMs(int keyCode)
{
    return keyCode == KEY_LEVEL ? 500 : 600;
}

CKeyWatch::CKeyWatch(int keyCode, const SLiveReading& atPress)
    : m_nKey(keyCode), m_nStart(0), m_bWatchMin(keyCode == KEY_MAXMIN && atPress.m_bMin)
{
    m_nStart = Watched(atPress);
}

bool CKeyWatch::Changed(const SLiveReading& now) const
{
    if (!IsValidKey(m_nKey))
        return true;   // nothing to repeat
    return Watched(now) != m_nStart;
}

// The member that shows the meter's answer to the key. The Stop key toggles
// the meter's HOLD, so it watches m_bHold: m_bStopKeyFlag, which the receive
// side only ever clears, would never change and the key would repeat forever.
int CKeyWatch::Watched(const SLiveReading& r) const
{
    switch (m_nKey) {
    case KEY_STOP:
        return r.m_bHold;
    case KEY_REC:
        return r.m_bRec;
    case KEY_MAXMIN:
        return m_bWatchMin ? r.m_bMin : r.m_bMax;
    case KEY_FASTSLOW:
        return r.m_bFast;
    case KEY_LEVEL:
        return r.m_nRange;
    case KEY_AC:
        return r.m_bWeightA;
    default:
        return 0;
    }
}

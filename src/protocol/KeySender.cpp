#include "protocol/KeySender.h"

#include <algorithm>

bool CKeySender::Press(int keyCode, const SLiveReading& live, bool linkAlive, std::int64_t nowMs)
{
    if (!linkAlive || !IsValidKey(keyCode))
        return false;
    m_presses.push_back({CKeyWatch(keyCode, live), nowMs, live.m_nUpdates});
    Send(m_presses.back(), live, nowMs);
    return true;
}

void CKeySender::Tick(const SLiveReading& live, std::int64_t nowMs)
{
    std::erase_if(m_presses, [&](const SPress& p) { return p.watch.Changed(live); });
    for (SPress& p : m_presses) {
        const bool paused = nowMs - p.sentMs >= KeyPauseMs(p.watch.KeyCode());
        const bool answerSeen = live.m_nUpdates - p.sentUpdates >= kAnswerUpdates;
        if (paused && answerSeen)
            Send(p, live, nowMs);
    }
}

void CKeySender::Send(SPress& press, const SLiveReading& live, std::int64_t nowMs)
{
    press.sentMs = nowMs;
    press.sentUpdates = live.m_nUpdates;
    const std::uint8_t byte = KeyByte(press.watch.KeyCode());
    if (m_write)
        m_write(&byte, 1);
}

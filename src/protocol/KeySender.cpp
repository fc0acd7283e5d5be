#include "protocol/KeySender.h"

#include <algorithm>

bool CKeySender::Press(int keyCode, const SLiveReading& live, bool linkAlive, std::int64_t nowMs)
{
    if (!linkAlive || !IsValidKey(keyCode))
        return false;
    m_presses.push_back({CKeyWatch(keyCode, live), nowMs + KeyPauseMs(keyCode)});
    Send(keyCode);
    return true;
}

void CKeySender::Tick(const SLiveReading& live, std::int64_t nowMs)
{
    std::erase_if(m_presses, [&](const SPress& p) { return p.watch.Changed(live); });
    for (SPress& p : m_presses) {
        if (nowMs < p.dueMs)
            continue;
        Send(p.watch.KeyCode());
        p.dueMs = nowMs + KeyPauseMs(p.watch.KeyCode());
    }
}

void CKeySender::Send(int keyCode)
{
    const std::uint8_t byte = KeyByte(keyCode);
    if (m_write)
        m_write(&byte, 1);
}

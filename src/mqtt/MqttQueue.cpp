#include "mqtt/MqttQueue.h"

namespace sonivel {

bool CMqttQueue::Push(SMqttMessage message)
{
    bool dropped = false;
    if (m_items.size() >= m_capacity) {
        // The handed part is at most the connection's window: erasing just
        // behind it stays cheap.
        if (m_nHanded < m_items.size()) {
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(m_nHanded));
        } else {
            m_items.pop_front();
            --m_nHanded;
        }
        ++m_nDropped;
        dropped = true;
    }
    m_items.push_back(SItem{std::move(message), std::nullopt, false});
    return dropped;
}

void CMqttQueue::Handed(int mid)
{
    if (m_nHanded < m_items.size())
        m_items[m_nHanded++].mid = mid;
}

bool CMqttQueue::Acknowledged(int mid)
{
    bool found = false;
    for (std::size_t i = 0; i < m_nHanded; ++i) {
        if (m_items[i].mid == mid && !m_items[i].acked) {
            m_items[i].acked = true;
            found = true;
            break;
        }
    }
    while (m_nHanded > 0 && m_items.front().acked) {
        m_items.pop_front();
        --m_nHanded;
    }
    return found;
}

void CMqttQueue::HandAgain()
{
    std::deque<SItem> kept;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i < m_nHanded && m_items[i].acked)
            continue;
        kept.push_back(std::move(m_items[i]));
        kept.back().mid.reset();
    }
    m_items.swap(kept);
    m_nHanded = 0;
}

} // namespace sonivel

#pragma once
#include <cstddef>
#include <deque>
#include <optional>

#include "mqtt/MqttPayloads.h"

namespace sonivel {

// The QoS 1 messages of a station in the order they were taken, from the
// moment they are taken until the broker has acknowledged them. The front of
// the queue is the part handed to the connection (each with its message id),
// the rest waits for its turn. A message leaves only when acknowledged, so a
// broker that is away loses nothing while the queue has room; a full queue
// drops its oldest message not yet handed over (or, when every message has
// been handed over, the oldest) and counts it. Push is O(1).
// Not thread-safe: its owner (CMqttPublisher) guards it.
class CMqttQueue {
public:
    explicit CMqttQueue(std::size_t capacity) : m_capacity(capacity ? capacity : 1) {}

    // Takes message; true when the queue was full and dropped one for it.
    bool Push(SMqttMessage message);
    // The oldest message not handed over yet, or none.
    const SMqttMessage* NextToHand() const
    {
        return m_nHanded < m_items.size() ? &m_items[m_nHanded].message : nullptr;
    }
    // The message NextToHand() gave is now with the connection as id mid.
    void Handed(int mid);
    // The broker acknowledged mid: acknowledged messages leave from the front.
    // False when no message has that id (one dropped while in flight).
    bool Acknowledged(int mid);
    // Every handed message counts as not handed again (a new connection that
    // keeps no session).
    void HandAgain();

    std::size_t Size() const { return m_items.size(); }
    std::size_t Handed() const { return m_nHanded; }
    unsigned long long Dropped() const { return m_nDropped; }

private:
    struct SItem {
        SMqttMessage message;
        std::optional<int> mid;   // set once handed
        bool acked = false;
    };
    std::size_t m_capacity;
    std::deque<SItem> m_items;
    std::size_t m_nHanded = 0;   // the first m_nHanded items are with the connection
    unsigned long long m_nDropped = 0;
};

} // namespace sonivel

#include "serial/ChunkQueue.h"

void CChunkQueue::Push(const std::uint8_t* data, std::size_t count)
{
    {
        std::lock_guard lock(m_lock);
        m_chunks.emplace_back(data, data + count);
    }
    m_ready.notify_one();
}

CComPort::ReceiveCallback CChunkQueue::Callback()
{
    return [this](const std::uint8_t* data, std::size_t count) { Push(data, count); };
}

bool CChunkQueue::WaitAndTake(std::deque<Chunk>& out, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_lock);
    m_ready.wait_for(lock, timeout, [this] { return !m_chunks.empty(); });
    if (m_chunks.empty())
        return false;
    for (auto& c : m_chunks)
        out.push_back(std::move(c));
    m_chunks.clear();
    return true;
}

std::size_t CChunkQueue::Size() const
{
    std::lock_guard lock(m_lock);
    return m_chunks.size();
}

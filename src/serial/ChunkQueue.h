#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "serial/ComPort.h"

// Carries received chunks from the reader thread to a plain main loop (the
// headless logger): the reader pushes, the loop waits with a time-out and
// takes the chunks in arrival order.
class CChunkQueue {
public:
    using Chunk = std::vector<std::uint8_t>;

    void Push(const std::uint8_t* data, std::size_t count);

    // A receive callback for CComPort::Open that pushes into this queue.
    CComPort::ReceiveCallback Callback();

    // Waits until a chunk is there or the time-out has passed; moves every
    // queued chunk into out (in order). Result: whether out got any.
    bool WaitAndTake(std::deque<Chunk>& out, std::chrono::milliseconds timeout);

    std::size_t Size() const;

private:
    mutable std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<Chunk> m_chunks;
};

// The port object on real pseudo-terminals: chunking, writes, closing, hang-up.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

#include "PtyPair.h"
#include "serial/ChunkQueue.h"
#include "serial/ComPort.h"
#include "serial/PortSelect.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

struct SChunk {
    std::vector<std::uint8_t> bytes;
    steady_clock::time_point at;
};

class CCollector {
public:
    CComPort::ReceiveCallback Callback()
    {
        return [this](const std::uint8_t* d, std::size_t n) {
            std::lock_guard lock(m_lock);
            m_chunks.push_back({{d, d + n}, steady_clock::now()});
        };
    }
    // Waits until that many bytes have arrived (generously: a loaded machine
    // only makes this slower) and gives the chunks so far.
    std::vector<SChunk> WaitFor(std::size_t bytes, milliseconds timeout = 20s)
    {
        const auto end = steady_clock::now() + timeout;
        while (steady_clock::now() < end) {
            {
                std::lock_guard lock(m_lock);
                std::size_t total = 0;
                for (const auto& c : m_chunks)
                    total += c.bytes.size();
                if (total >= bytes)
                    return m_chunks;
            }
            std::this_thread::sleep_for(5ms);
        }
        std::lock_guard lock(m_lock);
        return m_chunks;
    }

private:
    std::mutex m_lock;
    std::vector<SChunk> m_chunks;
};

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t first = 0)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(first + i);
    return v;
}

} // namespace

TEST(ComPort, BurstOf45BytesArrivesAs20_20_5WithTheLastAfterThePause)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CCollector got;
    CComPort port;
    ASSERT_TRUE(port.Open(pty.Path(), got.Callback()));
    pty.Send(Bytes(45));
    const auto chunks = got.WaitFor(45);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].bytes.size(), 20u);
    EXPECT_EQ(chunks[1].bytes.size(), 20u);
    EXPECT_EQ(chunks[2].bytes.size(), 5u);
    std::vector<std::uint8_t> all;
    for (const auto& c : chunks)
        all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(all, Bytes(45));   // in order, nothing lost
    // The short rest is handed over only after the line has been quiet for
    // the 100 ms interval.
    EXPECT_GE(chunks[2].at - chunks[1].at, 90ms);
}

TEST(ComPort, FramesSentSeparatelyArriveAsSeparateChunksAndWithoutCallbackAreDropped)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CComPort silent;
    ASSERT_TRUE(silent.Open(pty.Path(), nullptr));
    pty.Send(Bytes(20));
    std::this_thread::sleep_for(50ms);
    silent.Close();   // the bytes were read and dropped; nothing breaks

    CCollector got;
    CComPort port;
    ASSERT_TRUE(port.Open(pty.Path(), got.Callback()));
    pty.Send(Bytes(20, 1));
    std::this_thread::sleep_for(30ms);
    pty.Send(Bytes(20, 2));
    const auto chunks = got.WaitFor(40);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].bytes, Bytes(20, 1));
    EXPECT_EQ(chunks[1].bytes, Bytes(20, 2));
}

TEST(ComPort, WritesFromManyThreadsArriveWholeAndSettingsAreRaw)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CComPort port;
    ASSERT_TRUE(port.Open(pty.Path(), nullptr));
    // Bytes that a cooked line would change: CR, XON/XOFF, ^C.
    const std::vector<std::uint8_t> special {0x0D, 0x11, 0x13, 0x03, 0x0A, 0x7F};
    EXPECT_EQ(port.Write(special.data(), special.size()), special.size());
    EXPECT_EQ(pty.Drain(), special);

    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&port] {
            const std::uint8_t request[2] = {0x5A, 0xAC};
            for (int i = 0; i < 50; ++i)
                port.Write(request, 2);
        });
    for (auto& w : writers)
        w.join();
    const auto out = pty.Drain();
    ASSERT_EQ(out.size(), 400u);
    for (std::size_t i = 0; i < out.size(); i += 2) {
        EXPECT_EQ(out[i], 0x5A);
        EXPECT_EQ(out[i + 1], 0xAC);
    }
}

TEST(ComPort, CloseDuringHeavyTrafficReturnsPromptly)
{
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CChunkQueue queue;
    CComPort port;
    ASSERT_TRUE(port.Open(pty.Path(), queue.Callback()));
    std::atomic<bool> stop {false};
    std::thread flood([&] {
        while (!stop) {
            pty.Send(Bytes(7));
            std::this_thread::sleep_for(1ms);
        }
    });
    std::thread writer([&] {
        const std::uint8_t key = 0x77;
        while (!stop)
            port.Write(&key, 1);
    });
    std::this_thread::sleep_for(200ms);
    const auto start = steady_clock::now();
    port.Close();
    const auto took = steady_clock::now() - start;
    stop = true;
    flood.join();
    writer.join();
    EXPECT_LT(took, 5s);   // it returns: no wait on the busy reader or writer
    EXPECT_FALSE(port.IsOpen());
    EXPECT_GT(queue.Size(), 0u);
    const std::uint8_t key = 0x77;
    EXPECT_EQ(port.Write(&key, 1), 0u);   // closed: nothing written
}

TEST(ComPort, HangUpEndsTheReaderWithoutSpinningAndCloseStillWorks)
{
    auto pty = std::make_unique<CPtyPair>();
    ASSERT_TRUE(pty->Ok());
    CCollector got;
    CComPort port;
    ASSERT_TRUE(port.Open(pty->Path(), got.Callback()));
    pty->Send(Bytes(20));
    got.WaitFor(20);
    EXPECT_TRUE(port.IsReading());
    pty->HangUp();
    const auto end = steady_clock::now() + 20s;
    while (port.IsReading() && steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(port.IsReading());
    EXPECT_TRUE(port.IsOpen());   // silent until closed
    const std::uint8_t key = 0x33;
    EXPECT_EQ(port.Write(&key, 1), 0u);
    const auto start = steady_clock::now();
    port.Close();
    EXPECT_LT(steady_clock::now() - start, 5s);
}

TEST(ComPort, OpenFailuresReportTheSystemError)
{
    CComPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9", nullptr));
    EXPECT_EQ(port.LastError(), ENOENT);
    EXPECT_FALSE(port.IsOpen());
    port.Close();   // returns at once
    port.Close();

    EXPECT_FALSE(port.Open("/dev/null", nullptr));   // not a terminal
    EXPECT_EQ(port.LastError(), ENOTTY);

    // A port in use is refused to a second opener, also when it runs as root
    // (as this suite does), with a message that names the port.
    CPtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CComPort first;
    ASSERT_TRUE(first.Open(pty.Path(), nullptr));
    CComPort second;
    std::string message;
    EXPECT_FALSE(OpenComPort(second, pty.Path(), nullptr, message));
    EXPECT_EQ(second.LastError(), EBUSY);
    EXPECT_EQ(message, "Warning:Can't open " + pty.Path() + "! The port is in use by another program.");
    CSerialPort bare;
    EXPECT_THROW(bare.Open(pty.Path()), CSerialException);

    // Reopening the same object closes the old reader first.
    CCollector got;
    ASSERT_TRUE(first.Open(pty.Path(), got.Callback()));
    pty.Send(Bytes(20));
    EXPECT_EQ(got.WaitFor(20).size(), 1u);
    // Once the first opener lets go, the port can be opened again.
    first.Close();
    EXPECT_TRUE(second.Open(pty.Path(), nullptr));
}

TEST(ChunkQueue, WaitTimesOutEmptyAndTakesChunksInOrder)
{
    CChunkQueue q;
    std::deque<CChunkQueue::Chunk> out;
    const auto start = steady_clock::now();
    EXPECT_FALSE(q.WaitAndTake(out, 30ms));
    EXPECT_GE(steady_clock::now() - start, 25ms);
    std::thread producer([&] {
        for (std::uint8_t i = 0; i < 3; ++i)
            q.Push(&i, 1);
    });
    producer.join();
    EXPECT_TRUE(q.WaitAndTake(out, 1s));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[2][0], 2);
}

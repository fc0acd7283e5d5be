// Latency of the serial link: from the moment the last byte of a live frame
// is on the line (written to a pseudo-terminal) until the main loop has the
// decoded reading (the reader thread's chunk taken from the queue and handed
// to the receive path). The meter's frames arrive one chunk each.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "protocol/Receiver.h"
#include "serial/ChunkQueue.h"
#include "serial/ComPort.h"

namespace {

struct SNoHost : IReceiverHost {
    void OnHoldStop() override {}
    void OnDownloadEnded() override {}
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
};

std::uint8_t Bcd(int v)
{
    return static_cast<std::uint8_t>((v / 10) << 4 | v % 10);
}

void BM_FrameToDecodedReading(benchmark::State& state)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master);
    ::unlockpt(master);
    const std::string path = ::ptsname(master);
    const int keep = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios tio {};
    ::tcgetattr(keep, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(keep, TCSANOW, &tio);

    CChunkQueue queue;
    CComPort port;
    if (!port.Open(path, queue.Callback())) {
        state.SkipWithError("cannot open the pseudo-terminal");
        return;
    }
    SNoHost host;
    CRecordStore store;
    CReceiver rx(host, store);
    rx.ResetForFirstShowing();
    std::deque<CChunkQueue::Chunk> chunks;
    int n = 0;
    for (auto _ : state) {
        const int tenths = 400 + n++ % 500;
        std::uint8_t frame[20] = {0xA5, 0x0D, Bcd(tenths / 100), Bcd(tenths % 100), 0xA5, 0x40, 0xA5, 0x1B};
        const double before = rx.m_live.m_dLevel;
        const auto start = std::chrono::steady_clock::now();
        [[maybe_unused]] auto w = ::write(master, frame, sizeof frame);
        // Wait for the chunk; it decodes the frame in front of it.
        while (chunks.empty())
            queue.WaitAndTake(chunks, std::chrono::milliseconds(500));
        for (const auto& c : chunks)
            rx.OnReceiveData(c.data(), c.size());
        chunks.clear();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        benchmark::DoNotOptimize(before);
    }
    port.Close();
    ::close(keep);
    ::close(master);
}

} // namespace

BENCHMARK(BM_FrameToDecodedReading)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

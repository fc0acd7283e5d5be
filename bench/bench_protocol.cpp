// The meter protocol's two hot paths: live frames through the receive path,
// and decoding a full data-logger answer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "protocol/Receiver.h"

namespace {

class CQuietHost : public IReceiverHost {
public:
    void OnHoldStop() override {}
    void OnDownloadEnded() override {}
    void OnProgress(int, int, int) override {}
    void OnPanelRepaint() override {}
};

// Live frames as the meter sends them: level, weighting, indicator codes and
// the clock time, 20 bytes each.
std::vector<std::uint8_t> LiveStream(int frames)
{
    std::vector<std::uint8_t> out;
    for (int i = 0; i < frames; ++i) {
        const int level = 300 + i % 900;
        const std::uint8_t f[20] = {0xA5, 0x0D, static_cast<std::uint8_t>((level / 1000) << 4 | (level / 100) % 10),
                                    static_cast<std::uint8_t>((level / 10) % 10 << 4 | level % 10),
                                    0x00, 0x00, 0x00, 0x1B, 0xA5, 0x02, 0xA5, 0x04, 0xA5, 0x40,
                                    0xA5, 0x06, 0x21, static_cast<std::uint8_t>(i % 60 / 10 << 4 | i % 10), 0x09, 0x00};
        out.insert(out.end(), f, f + 20);
    }
    return out;
}

void BM_ReceiveLiveFrames(benchmark::State& state)
{
    const int frames = 4096;
    const std::vector<std::uint8_t> stream = LiveStream(frames);
    CQuietHost host;
    CRecordStore store;
    CReceiver rx(host, store);
    for (auto _ : state) {
        for (std::size_t at = 0; at < stream.size(); at += 20)
            rx.OnReceiveData(stream.data() + at, 20);
        benchmark::DoNotOptimize(rx.m_live.m_dLevel);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ReceiveLiveFrames);

// The answer to a full logger: announced length 65535, that is 65437 data
// bytes: 10 groups of 9 header bytes and about 3270 samples, and the end marker.
std::string FullLoggerText()
{
    const int dataBytes = 65535 - 98;
    const int groups = 10;
    const int samples = (dataBytes - 1 - groups * 9) / 2;
    std::string text;
    char piece[64];
    for (int g = 0; g < groups; ++g) {
        std::snprintf(piece, sizeof piece, "%s11%.2d%.2d%.2d%.2d%.2d%.2dac", g % 2 ? "cc" : "aa", 1 + g,
                      20 + g, 21 + g % 3, 10 * g % 60, 30 + g, 1 + g % 10);
        text += piece;
        const int n = samples / groups + (g < samples % groups ? 1 : 0);
        for (int i = 0; i < n; ++i) {
            std::snprintf(piece, sizeof piece, "%.4d", 300 + (i * 7) % 900);
            text += piece;
        }
    }
    return text + "dd";
}

void BM_DecodeFullLogger(benchmark::State& state)
{
    const std::string text = FullLoggerText();
    CRecordStore store;
    std::size_t made = 0;
    for (auto _ : state) {
        CLoggerDecoder decoder;
        made = decoder.DecodeLoggerText(text, store);
        state.PauseTiming();
        store.RemoveAll();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(made);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(made));
}
BENCHMARK(BM_DecodeFullLogger)->Unit(benchmark::kMillisecond);

} // namespace

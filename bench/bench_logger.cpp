// From the data logger's end marker to the data-logger window showing its
// groups, for the longest answer the meter can announce (65535 bytes):
// decoding the last chunk into the logger store, closing the progress
// dialog, and re-creating the window with its group list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "logger/DataLogDlg.h"
#include "logger/LogState.h"
#include "protocol/Receiver.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_logger";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt cannot be torn down from the exit handlers.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

std::uint8_t Bcd(int v)
{
    return static_cast<std::uint8_t>((v / 10) << 4 | (v % 10));
}

// An answer of exactly 65535 announced bytes made of groups of perGroup
// samples (the last group takes what is left).
std::vector<std::uint8_t> FullAnswer(int perGroup)
{
    const int dataBytes = 65535 - 98;
    std::vector<std::uint8_t> data;
    int sample = 0;
    while (true) {
        const int room = dataBytes - 1 - static_cast<int>(data.size()) - 9;
        if (room < 2)
            break;
        const int n = std::min(perGroup, room / 2);
        const std::uint8_t header[] = {0xAA, 0x11, 0x12, 0x05, 0x09, 0x03, 0x07, 0x01, 0xAC};
        data.insert(data.end(), std::begin(header), std::end(header));
        for (int i = 0; i < n; ++i, ++sample) {
            const int tenths = 400 + sample % 600;
            data.push_back(Bcd(tenths / 100));
            data.push_back(Bcd(tenths % 100));
        }
    }
    data.push_back(0xDD);
    const int n = static_cast<int>(data.size()) + 98;
    std::vector<std::uint8_t> answer {0xBB, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF)};
    answer.insert(answer.end(), data.begin(), data.end());
    return answer;
}

class CHost final : public IReceiverHost {
public:
    void OnHoldStop() override {}
    void OnDownloadEnded() override { progress.RequestClose(); }
    void OnProgress(int range, int step, int pos) override { progress.SetProgress(range, step, pos); }
    void OnPanelRepaint() override {}
    CLogState progress;
};

void EndMarkerToWindow(benchmark::State& state)
{
    App();
    const auto answer = FullAnswer(static_cast<int>(state.range(0)));
    QWidget view;
    CRecordStore store;
    CHost host;
    CReceiver rx(host, store);
    std::unique_ptr<CDataLogDlg> window;
    constexpr std::size_t kChunk = 20;
    const std::size_t last = (answer.size() - 1) / kChunk * kChunk;
    for (auto _ : state) {
        state.PauseTiming();
        rx.BeginDownload();
        if (window)
            window->ForgetSelection();
        store.RemoveAll();
        host.progress.Reset();
        for (std::size_t i = 0; i < last; i += kChunk)
            rx.OnReceiveData(answer.data() + i, kChunk);
        state.ResumeTiming();
        // The chunk with the end marker, then what the command does after the dialog.
        rx.OnReceiveData(answer.data() + last, answer.size() - last);
        if (window) {
            window->Recreate();
        } else {
            window = std::make_unique<CDataLogDlg>(&view, store);
            window->show();
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(store.GetSize());
    }
    state.counters["records"] = static_cast<double>(store.GetSize());
}

} // namespace

BENCHMARK(EndMarkerToWindow)->Arg(40000)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

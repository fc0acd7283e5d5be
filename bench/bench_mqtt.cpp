// What publishing costs the logger's loop per record: the record's payload
// and its enqueue on the publisher (the network thread's work is apart), and
// the record's share of the summary figures. The counter core_pct is the
// share of one core this takes at 10 records a second, the fastest a run
// records (--interval 0.1; the meter sends 4 live frames a second); it must
// stay under 0.5 %. The publisher points at a port nobody listens on, so
// every message stays queued: the queue fills and then drops its oldest,
// the dearest case of Publish.
#include <benchmark/benchmark.h>

#include <chrono>

#include "acoustics/NoiseFigures.h"
#include "common/Text.h"
#include "mqtt/MqttPublisher.h"

namespace {

constexpr double kRecordsPerSecond = 10;

void BM_PublishRecord(benchmark::State& state)
{
    sonivel::SMqttSettings settings;
    std::string error;
    sonivel::ParseMqttUrl("mqtt://127.0.0.1:1", settings.url, error);
    settings.prefix = "bench/station";
    settings.clientId = "sonivel-bench";
    settings.queueCapacity = 100000;
    sonivel::CMqttPublisher publisher(settings);
    if (!publisher.Start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<CObjData> records;
    for (int i = 0; i < 3600; ++i)
        records.emplace_back(40.0 + i % 500 / 10.0,
                             sonivel::Format("08-12-2026,%.2d:%.2d:%.2d", i / 3600, i / 60 % 60, i % 60), "dBA", 0, 0.1,
                             i % 10 * 100);
    const std::string topic = sonivel::MqttTopic(settings.prefix, sonivel::EMqttTopic::Record);
    sonivel::CFiguresByWeighting window;
    std::size_t i = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const CObjData& r = records[i];
        publisher.Publish(topic, sonivel::RecordPayload(r));
        window.Add(r);
        i = (i + 1) % records.size();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double perRecord = seconds / static_cast<double>(state.iterations());
    state.counters["core_pct"] = perRecord * kRecordsPerSecond * 100;
    state.counters["dropped"] = static_cast<double>(publisher.Dropped());
}
BENCHMARK(BM_PublishRecord)->Iterations(300000);

} // namespace

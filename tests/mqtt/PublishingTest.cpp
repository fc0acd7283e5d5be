// sonivel-log publishing to a real Mosquitto broker, against the simulator.
#include <regex>

#include "BrokerFixture.h"
#include "files/DataFile.h"
#include "mqtt/MqttPayloads.h"

using namespace mqtttest;

namespace {

// The record messages a data file's records give (times to the second, as
// the file keeps them).
std::vector<std::string> ExpectedRecords(const std::string& path)
{
    std::vector<std::string> out;
    std::string error;
    sonivel::ScanDataFileNamed(path, [&](const CObjData& r) { out.push_back(sonivel::RecordPayload(r)); }, error);
    return out;
}

std::vector<std::string> ToTheSecond(const std::vector<SReceived>& received)
{
    static const std::regex milli(R"((\d\d:\d\d:\d\d)\.\d{3})");
    std::vector<std::string> out;
    for (const SReceived& r : received)
        out.push_back(std::regex_replace(r.payload, milli, "$1.000"));
    return out;
}

std::vector<std::string> RecordArgs(const CSim& sim, const std::filesystem::path& out, int port, int limit)
{
    return {"record", "--port", sim.Device(), "--interval", "0.1", "--limit", std::to_string(limit),
            "--out", out, "--mqtt", "mqtt://127.0.0.1:" + std::to_string(port), "--topic", "site/st1"};
}

} // namespace

// Every record of a run arrives once, in order, with the data file's values;
// with the broker away for ten seconds in the middle of the run none is lost
// and they still come in order (QoS 1 may repeat one across the reconnect).
TEST_F(BrokerTest, EveryRecordArrivesInOrderEvenAcrossABrokerRestart)
{
    CBroker broker(dir, "allow_anonymous true\npersistence true\npersistence_location " + dir.string() + "/\n");
    ASSERT_TRUE(broker.Start());
    CSubscriber sub(broker.Port(), "site/st1/#");
    ASSERT_TRUE(sub.WaitSubscribed());
    CSim sim({"--period", "50"});

    // A whole run with the broker up: exactly the records of the file.
    const auto first = dir / "first.txt";
    auto run = RunLog(RecordArgs(sim, first, broker.Port(), 20));
    ASSERT_EQ(run.status, 0) << run.err;
    const auto expected = ExpectedRecords(first);
    ASSERT_EQ(expected.size(), 20u);
    ASSERT_TRUE(WaitUntil([&] { return sub.Received("site/st1/record").size() >= expected.size(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));   // nothing more comes
    EXPECT_EQ(ToTheSecond(sub.Received("site/st1/record")), expected);

    // A run with the broker stopped for ten seconds in its middle.
    const auto second = dir / "second.txt";
    auto args = RecordArgs(sim, second, broker.Port(), 200);
    args.insert(args.begin(), SONIVEL_LOG_PATH);
    CChild log(args);
    ASSERT_TRUE(WaitUntil([&] { return sub.Received("site/st1/record").size() >= expected.size() + 30; }));
    broker.Stop();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    ASSERT_TRUE(broker.Start());
    const auto end = log.Wait();
    ASSERT_EQ(end.status, 0) << end.err;
    std::vector<std::string> all = expected;
    for (const std::string& r : ExpectedRecords(second))
        all.push_back(r);
    ASSERT_EQ(all.size(), 220u);
    // Repeats across the reconnect are allowed, a gap or a change of order not.
    std::vector<std::string> got;
    ASSERT_TRUE(WaitUntil([&] {
        auto received = sub.Received("site/st1/record");   // each with its own millisecond
        received.erase(std::unique(received.begin(), received.end(),
                                   [](const SReceived& a, const SReceived& b) { return a.payload == b.payload; }),
                       received.end());
        got = ToTheSecond(received);
        return got.size() >= all.size();
    })) << got.size() << " of " << all.size() << " records arrived\n" << end.err;
    EXPECT_EQ(got, all);
}

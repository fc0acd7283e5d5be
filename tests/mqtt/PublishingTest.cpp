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

// The broker tells the station's end: the last will replaces the retained
// online status when the logger is killed without a word.
TEST_F(BrokerTest, TheLastWillSaysOfflineWhenTheLoggerIsKilled)
{
    CBroker broker(dir, "allow_anonymous true\n");
    ASSERT_TRUE(broker.Start());
    CSubscriber sub(broker.Port(), "site/st2/status");
    ASSERT_TRUE(sub.WaitSubscribed());
    CSim sim({"--period", "50"});
    CChild log({SONIVEL_LOG_PATH, "live", "--port", sim.Device(), "--mqtt",
                "mqtt://127.0.0.1:" + std::to_string(broker.Port()), "--topic", "site/st2"});
    const auto last = [&] {
        const auto status = sub.Received("site/st2/status");
        return status.empty() ? std::string() : status.back().payload;
    };
    ASSERT_TRUE(WaitUntil([&] { return last().find("\"meter\":\"live\"") != std::string::npos; })) << last();
    log.Signal(SIGKILL);
    log.Wait();
    ASSERT_TRUE(WaitUntil([&] { return last() == "{\"state\":\"offline\"}"; })) << last();
}

// Over TLS with a certificate authority made here and a broker that wants a
// password: a wrong password ends the run before it begins, with the broker
// named and exit status 5; the right one publishes every record.
TEST_F(BrokerTest, TlsWithTheTestsCaAndAPasswordTheBrokerChecks)
{
    const std::string d = dir.string();
    const std::string commands =
        "cd " + d + " && printf 'subjectAltName=IP:127.0.0.1\\n' > san.ext"
        " && openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout ca.key -out ca.pem"
        " -days 2 -subj /CN=SonivelTestCA"
        " && openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout server.key -out server.csr"
        " -subj /CN=127.0.0.1"
        " && openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 2"
        " -extfile san.ext"
        " && mosquitto_passwd -b -c passwd station s3cret"
        " && printf 'wrong\\n' > wrong.txt && printf 's3cret\\n' > right.txt";
    ASSERT_EQ(std::system(("(" + commands + ") >" + d + "/setup.log 2>&1").c_str()), 0) << "openssl or mosquitto_passwd failed";
    CBroker broker(dir, "cafile " + d + "/ca.pem\ncertfile " + d + "/server.pem\nkeyfile " + d +
                            "/server.key\nallow_anonymous false\npassword_file " + d + "/passwd\n");
    ASSERT_TRUE(broker.Start());
    CSubscriber sub(broker.Port(), "site/st3/record", d + "/ca.pem", "station", "s3cret");
    ASSERT_TRUE(sub.WaitSubscribed());
    CSim sim({"--period", "50"});
    const std::string url = "mqtts://127.0.0.1:" + std::to_string(broker.Port());
    auto run = [&](const std::string& passwordFile) {
        return RunLog({"record", "--port", sim.Device(), "--interval", "0.1", "--limit", "5", "--out", d + "/run.txt",
                       "--force", "--mqtt", url, "--topic", "site/st3", "--mqtt-ca", d + "/ca.pem", "--mqtt-user",
                       "station", "--mqtt-password-file", d + "/" + passwordFile});
    };
    const auto refused = run("wrong.txt");
    EXPECT_EQ(refused.status, 5);
    EXPECT_NE(refused.err.find("the MQTT broker " + url + " refused the connection"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "run.txt"));

    const auto accepted = run("right.txt");
    ASSERT_EQ(accepted.status, 0) << accepted.err;
    const auto expected = ExpectedRecords(d + "/run.txt");
    ASSERT_EQ(expected.size(), 5u);
    ASSERT_TRUE(WaitUntil([&] { return sub.Received("site/st3/record").size() >= expected.size(); }));
    EXPECT_EQ(ToTheSecond(sub.Received("site/st3/record")), expected);
}

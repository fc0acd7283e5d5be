// The publisher's pure parts: the queue's order, drops and acknowledgements,
// and the broker addresses the user may give.
#include <gtest/gtest.h>

#include "mqtt/MqttQueue.h"
#include "mqtt/MqttUrl.h"

using namespace sonivel;

namespace {

std::vector<std::string> Payloads(CMqttQueue& q, int handOver)
{
    std::vector<std::string> out;
    for (int i = 0; i < handOver && q.NextToHand(); ++i) {
        out.push_back(q.NextToHand()->payload);
        q.Handed(100 + i);
    }
    return out;
}

} // namespace

// Messages leave only when acknowledged and then from the front, whatever the
// order of the acknowledgements; a full queue drops the oldest message not yet
// handed over, never one the broker may already have.
TEST(MqttQueue, KeepsOrderDropsTheOldestWaitingAndLeavesOnlyWhenAcknowledged)
{
    CMqttQueue q(4);
    for (const char* p : {"a", "b", "c", "d"})
        EXPECT_FALSE(q.Push({"t", p}));
    EXPECT_EQ(Payloads(q, 2), (std::vector<std::string>{"a", "b"}));   // a = 100, b = 101
    EXPECT_TRUE(q.Push({"t", "e"}));   // drops c, the oldest waiting
    EXPECT_TRUE(q.Push({"t", "f"}));   // drops d
    EXPECT_EQ(q.Dropped(), 2u);
    EXPECT_EQ(q.Size(), 4u);
    EXPECT_TRUE(q.Acknowledged(101));   // b before a: both stay until a is acknowledged
    EXPECT_EQ(q.Size(), 4u);
    EXPECT_FALSE(q.Acknowledged(999));
    EXPECT_TRUE(q.Acknowledged(100));
    EXPECT_EQ(q.Size(), 2u);
    EXPECT_EQ(Payloads(q, 5), (std::vector<std::string>{"e", "f"}));
    q.HandAgain();   // a new connection without a session gets both again
    EXPECT_EQ(Payloads(q, 5), (std::vector<std::string>{"e", "f"}));
    // Everything handed over and full: the oldest goes.
    EXPECT_TRUE(CMqttQueue(1).Push({"t", "x"}) == false);
    CMqttQueue one(1);
    one.Push({"t", "x"});
    Payloads(one, 1);
    EXPECT_TRUE(one.Push({"t", "y"}));
    EXPECT_EQ(one.NextToHand()->payload, "y");
}

TEST(MqttUrl, AddressesAndTheirMistakes)
{
    struct {
        const char* text;
        bool ok, tls;
        const char* host;
        int port;
        const char* error;   // a part of the message
    } const cases[] = {
        {"mqtt://broker", true, false, "broker", 1883, ""},
        {"mqtts://broker.example.org", true, true, "broker.example.org", 8883, ""},
        {"mqtt://127.0.0.1:18830/", true, false, "127.0.0.1", 18830, ""},
        {"mqtts://[::1]:8884", true, true, "::1", 8884, ""},
        {"mqtt://[::1]", true, false, "::1", 1883, ""},
        {"tcp://broker", false, false, "", 0, "mqtt:// or mqtts://"},
        {"broker:1883", false, false, "", 0, "mqtt:// or mqtts://"},
        {"mqtt://", false, false, "", 0, "no host"},
        {"mqtt://:1883", false, false, "", 0, "no host"},
        {"mqtt://broker:", false, false, "", 0, "the port is empty"},
        {"mqtt://broker:0", false, false, "", 0, "from 1 to 65535"},
        {"mqtt://broker:65536", false, false, "", 0, "from 1 to 65535"},
        {"mqtt://broker:12a", false, false, "", 0, "from 1 to 65535"},
        {"mqtt://broker/noise", false, false, "", 0, "no path"},
        {"mqtt://user:pw@broker", false, false, "", 0, "--mqtt-password-file"},
        {"mqtt://[::1", false, false, "", 0, "closing ]"},
    };
    for (const auto& c : cases) {
        SMqttUrl url;
        std::string error;
        EXPECT_EQ(ParseMqttUrl(c.text, url, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(url.tls, c.tls) << c.text;
            EXPECT_EQ(url.host, c.host) << c.text;
            EXPECT_EQ(url.port, c.port) << c.text;
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
            EXPECT_NE(error.find(c.text), std::string::npos) << error;
        }
    }
    SMqttUrl v6;
    std::string error;
    ParseMqttUrl("mqtts://[::1]", v6, error);
    EXPECT_EQ(v6.Text(), "mqtts://[::1]:8883");
}

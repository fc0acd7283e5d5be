// Key repetition and the data-logger request, on a fake clock and writer, and
// key presses against the meter simulator on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <vector>

#include "protocol/KeySender.h"
#include "protocol/LoggerRequest.h"
#include "protocol/ProtocolTestUtil.h"
#include "serial/ChunkQueue.h"
#include "serial/ComPort.h"
#include "tools/SimProcess.h"

namespace {

struct SWire {
    std::vector<std::uint8_t> bytes;
    MeterWriteFn Fn()
    {
        return [this](const std::uint8_t* d, std::size_t n) {
            bytes.insert(bytes.end(), d, d + n);
            return n;
        };
    }
};

// Ticks every 50 ms from `from` to `to`, with the reading given; a frame is
// decoded before every tick.
void TickUntil(CKeySender& keys, SLiveReading& live, std::int64_t from, std::int64_t to)
{
    for (std::int64_t t = from; t <= to; t += CKeySender::kTickMs) {
        ++live.m_nUpdates;
        keys.Tick(live, t);
    }
}

std::int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::vector<std::string> Verbose(std::vector<std::string> options)
{
    options.push_back("--verbose");
    return options;
}

// The simulator (reporting the bytes it gets) with the port, the receive path
// and the key sender on this thread, as the window runs them.
class CSimMeter {
public:
    explicit CSimMeter(const std::vector<std::string>& options) : m_sim(Verbose(options))
    {
        m_bOpen = m_port.Open(m_sim.Device(), m_queue.Callback());
    }
    ~CSimMeter() { m_port.Close(); }

    bool IsOpen() const { return m_bOpen; }
    CReceiver& Rx() { return m_rx; }
    CKeySender& Keys() { return m_keys; }

    // Delivers the chunks and ticks the keys until pred holds; false when it
    // still does not after the (generous) deadline.
    bool RunUntil(const std::function<bool()>& pred)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::deque<CChunkQueue::Chunk> chunks;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            m_queue.WaitAndTake(chunks, std::chrono::milliseconds(CKeySender::kTickMs));
            for (const auto& c : chunks)
                m_rx.OnReceiveData(c.data(), c.size());
            chunks.clear();
            m_keys.Tick(m_rx.m_live, SteadyMs());
        }
        return true;
    }
    bool RunUpdates(unsigned n)
    {
        const unsigned until = m_rx.m_live.m_nUpdates + n;
        return RunUntil([&] { return m_rx.m_live.m_nUpdates >= until; });
    }
    // Stops the simulator; the key lines of its report ("key 77", "key 77 lost").
    std::vector<std::string> KeysGot()
    {
        std::vector<std::string> lines;
        std::istringstream in(m_sim.Stop());
        for (std::string line; std::getline(in, line);)
            if (line.rfind("key ", 0) == 0)
                lines.push_back(line);
        return lines;
    }

private:
    CSim m_sim;
    CChunkQueue m_queue;
    CComPort m_port;
    bool m_bOpen = false;
    prototest::CFakeHost m_host;
    CRecordStore m_store;
    CReceiver m_rx {m_host, m_store};
    CKeySender m_keys {[this](const std::uint8_t* d, std::size_t n) { return m_port.Write(d, n); }};
};

} // namespace

TEST(KeySender, RepeatsAtTheKeysPaceUntilTheReadingShowsTheChange)
{
    SWire wire;
    CKeySender keys(wire.Fn());
    SLiveReading live;
    live.m_bFast = false;
    ASSERT_TRUE(keys.Press(KEY_FASTSLOW, live, true, 0));
    EXPECT_EQ(wire.bytes, std::vector<std::uint8_t>({0x77}));   // at once
    TickUntil(keys, live, 50, 1250);                              // sends at 600 and 1200
    EXPECT_EQ(wire.bytes.size(), 3u);
    live.m_bFast = true;   // a decoded frame carries FAST
    TickUntil(keys, live, 1300, 5000);
    EXPECT_EQ(wire.bytes.size(), 3u);
    EXPECT_EQ(keys.Active(), 0u);

    // Level repeats every 500 ms until the range changes.
    wire.bytes.clear();
    live.m_nRange = 1;
    keys.Press(KEY_LEVEL, live, true, 10000);
    TickUntil(keys, live, 10050, 11000);
    EXPECT_EQ(wire.bytes, std::vector<std::uint8_t>({0x88, 0x88, 0x88}));
    live.m_nRange = 2;
    keys.Tick(live, 11050);
    EXPECT_EQ(keys.Active(), 0u);
}

TEST(KeySender, SeveralPressesRepeatTogetherAndEachEndsOnItsOwnMember)
{
    SWire wire;
    CKeySender keys(wire.Fn());
    SLiveReading live;
    live.m_bMin = true;   // MIN shown: MaxMin ends when MIN goes off
    keys.Press(KEY_MAXMIN, live, true, 0);
    keys.Press(KEY_AC, live, true, 0);
    keys.Press(KEY_STOP, live, true, 0);
    EXPECT_EQ(keys.Active(), 3u);
    live.m_bMax = true;   // MAX coming on does not end it
    TickUntil(keys, live, 50, 600);
    EXPECT_EQ(keys.Active(), 3u);
    live.m_bMin = false;
    live.m_bHold = true;   // the Stop key ends on the HOLD change
    keys.Tick(live, 650);
    EXPECT_EQ(keys.Active(), 1u);
    live.m_bWeightA = !live.m_bWeightA;
    keys.Tick(live, 700);
    EXPECT_EQ(keys.Active(), 0u);
    EXPECT_EQ(wire.bytes, std::vector<std::uint8_t>({0x11, 0x99, 0x33, 0x11, 0x99, 0x33}));
}

TEST(KeySender, IgnoredWhileTheMeterIsSilentOrForUnknownKeys)
{
    SWire wire;
    CKeySender keys(wire.Fn());
    SLiveReading live;
    EXPECT_FALSE(keys.Press(KEY_REC, live, false, 0));
    EXPECT_FALSE(keys.Press(6, live, true, 0));
    EXPECT_FALSE(keys.Press(-1, live, true, 0));
    TickUntil(keys, live, 0, 2000);
    EXPECT_TRUE(wire.bytes.empty());
}

// One press toggles the meter once, however slowly its frames come (the
// reading shows a frame only when the next one arrives, so a slow meter's
// answer is late), and a key byte the meter lost is sent again.
TEST(KeySender, OnePressTogglesTheSimulatedMeterOnceAtAnyFramePeriod)
{
    struct SRow {
        const char* period;
        bool loseFirstKey;
        std::vector<std::string> keysGot;
    };
    const SRow rows[] = {
        {"50", false, {"key 77", "key 99"}},
        {"500", false, {"key 77", "key 99"}},
        {"1000", false, {"key 77", "key 99"}},
        {"500", true, {"key 77 lost", "key 77", "key 99"}},
    };
    for (const SRow& row : rows) {
        SCOPED_TRACE(std::string("--period ") + row.period + (row.loseFirstKey ? " --ignore-keys 1" : ""));
        std::vector<std::string> options {"--period", row.period};
        if (row.loseFirstKey)
            options.insert(options.end(), {"--ignore-keys", "1"});
        CSimMeter meter(options);
        ASSERT_TRUE(meter.IsOpen());
        CReceiver& rx = meter.Rx();
        ASSERT_TRUE(meter.RunUntil([&] { return rx.m_live.m_nRange != 0; })) << "no decoded frame";
        const SLiveReading before = rx.m_live;
        for (const int key : {KEY_FASTSLOW, KEY_AC}) {
            ASSERT_TRUE(meter.Keys().Press(key, rx.m_live, rx.m_bLinkAlive, SteadyMs()));
            ASSERT_TRUE(meter.RunUntil([&] { return meter.Keys().Active() == 0; }));
        }
        // Frames sent after both answers show the meter toggled once each.
        ASSERT_TRUE(meter.RunUpdates(3));
        EXPECT_NE(rx.m_live.m_bFast, before.m_bFast);
        EXPECT_NE(rx.m_live.m_bWeightA, before.m_bWeightA);
        EXPECT_EQ(meter.KeysGot(), row.keysGot);
    }
}

TEST(LoggerRequest, RepeatsUntilTheAnswerHeaderOrTheEndOfTheDownload)
{
    SWire wire;
    CLoggerRequest request(wire.Fn());
    request.Start();
    EXPECT_TRUE(request.Tick(true, false));
    EXPECT_TRUE(request.Tick(true, false));
    EXPECT_FALSE(request.Tick(true, true));   // the meter answered after three requests
    EXPECT_FALSE(request.Tick(true, false));
    EXPECT_EQ(request.Requests(), 3);
    EXPECT_EQ(wire.bytes, std::vector<std::uint8_t>({0x5A, 0xAC, 0x5A, 0xAC, 0x5A, 0xAC}));

    request.Start();
    EXPECT_FALSE(request.Tick(false, false));   // time-out or link loss ended the download
    EXPECT_EQ(request.Requests(), 1);
}

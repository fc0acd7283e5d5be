// Key repetition and the data-logger request, on a fake clock and writer.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/KeySender.h"
#include "protocol/LoggerRequest.h"

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

// Ticks every 50 ms from `from` to `to`, with the reading given.
void TickUntil(CKeySender& keys, const SLiveReading& live, std::int64_t from, std::int64_t to)
{
    for (std::int64_t t = from; t <= to; t += CKeySender::kTickMs)
        keys.Tick(live, t);
}

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

#include <gtest/gtest.h>

#include "protocol/MeterCommands.h"

TEST(MeterKeys, BytesPausesAndWatchedIndicators)
{
    const std::uint8_t bytes[] = {0x33, 0x55, 0x11, 0x77, 0x88, 0x99};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(KeyByte(k), bytes[k]);
        EXPECT_EQ(KeyPauseMs(k), k == KEY_LEVEL ? 500 : 600);
    }
    EXPECT_FALSE(IsValidKey(6));

    SLiveReading r;
    r.m_nRange = 1;
    const CKeyWatch fastSlow(KEY_FASTSLOW, r), rec(KEY_REC, r), ac(KEY_AC, r), level(KEY_LEVEL, r);
    r.m_bMax = r.m_bMin = r.m_bHold = true;   // not theirs
    EXPECT_FALSE(fastSlow.Changed(r) || rec.Changed(r) || ac.Changed(r) || level.Changed(r));
    r.m_bFast = r.m_bRec = true;
    r.m_bWeightA = !r.m_bWeightA;
    r.m_nRange = 2;
    EXPECT_TRUE(fastSlow.Changed(r) && rec.Changed(r) && ac.Changed(r) && level.Changed(r));
    EXPECT_TRUE(CKeyWatch(7, r).Changed(r));   // unknown key: nothing to repeat
}

TEST(MeterKeys, MaxMinWatchesMinWhileMinIsShownElseMax)
{
    SLiveReading r;
    r.m_bMin = true;
    const CKeyWatch whileMin(KEY_MAXMIN, r);
    r.m_bMax = true;
    EXPECT_FALSE(whileMin.Changed(r));
    r.m_bMin = false;   // e.g. a frame with "a50e"
    EXPECT_TRUE(whileMin.Changed(r));

    SLiveReading none;
    const CKeyWatch whileNone(KEY_MAXMIN, none);
    none.m_bMin = true;
    EXPECT_FALSE(whileNone.Changed(none));
    none.m_bMax = true;
    EXPECT_TRUE(whileNone.Changed(none));
}

TEST(MeterKeys, StopEndsWhenHoldToggles)
{
    SLiveReading r;
    const CKeyWatch stop(KEY_STOP, r);
    r.m_bStopKeyFlag = true;
    EXPECT_FALSE(stop.Changed(r));
    r.m_bHold = true;
    EXPECT_TRUE(stop.Changed(r));
    const CKeyWatch release(KEY_STOP, r);
    r.m_bHold = false;
    EXPECT_TRUE(release.Changed(r));
}

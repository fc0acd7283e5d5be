#include <gtest/gtest.h>

#include "protocol/LiveDecode.h"
#include "ProtocolTestUtil.h"

using namespace prototest;

namespace {

// 40 characters: the frame start, then `rest`, padded with zeros.
std::string FrameText(std::string_view rest)
{
    std::string f = "a50d" + std::string(rest);
    f.resize(40, '0');
    return f;
}

SLiveReading Decode(std::string_view rest, SLiveReading r = {})
{
    DecodeLiveFrameText(FrameText(rest), r);
    return r;
}

class LiveClock : public ::testing::Test {
protected:
    void SetUp() override { sonivel::SetClock([] { return LocalNoon(2026, 12, 7); }); }
    void TearDown() override { sonivel::SetClock({}); }
    std::string TimeOf(std::string_view hourMinSec)
    {
        return Decode("0635000000a506" + std::string(hourMinSec)).m_strMeterTime;
    }
};

} // namespace

// The level field is four decimal digits in tenths of a dB. Any other field
// is no reading: the frame changes nothing, not even its other codes.
TEST(LiveDecode, LevelIsFourDecimalDigitsOrTheFrameIsNoReading)
{
    struct SRow {
        const char* field;
        double level;   // < 0: no reading
    };
    const SRow rows[] = {
        {"0635", 63.5}, {"1204", 120.4}, {"0050", 5.0}, {"0005", 0.5}, {"0000", 0.0}, {"9999", 999.9},
        {"1e53", -1},   {"9e99", -1},    {"0a35", -1},  {"063f", -1},  {"e635", -1}, {"00e1", -1},
        {"0d00", -1},   {"1b1c", -1},
    };
    // The rest of the frame: dBC, a clock time, FAST, MAX, range 2.
    const std::string rest = "0000001c" "a506120509" "a502a504a54b";
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.field);
        SLiveReading r;
        r.m_dLevel = 42.0;
        r.m_strMeterTime = "kept";
        const bool reading = DecodeLiveFrameText(FrameText(row.field + rest), r);
        if (row.level < 0) {
            EXPECT_FALSE(reading);
            EXPECT_EQ(r.m_dLevel, 42.0);
            EXPECT_TRUE(r.m_bWeightA);
            EXPECT_EQ(r.m_strMeterTime, "kept");
            EXPECT_FALSE(r.m_bFast);
            EXPECT_FALSE(r.m_bMax);
            EXPECT_EQ(r.m_nRange, 0);
        } else {
            EXPECT_TRUE(reading);
            EXPECT_EQ(r.m_dLevel, row.level);
            EXPECT_FALSE(r.m_bWeightA);
            EXPECT_TRUE(r.m_bFast);
            EXPECT_EQ(r.m_nRange, 2);
        }
    }
    // A frame too short to hold the whole field is no reading either.
    SLiveReading r;
    EXPECT_FALSE(DecodeLiveFrameText("a50d063", r));
    EXPECT_EQ(r.m_dLevel, 50.0);
}

TEST(LiveDecode, WeightingFromByteSeven)
{
    SLiveReading r;
    r.m_bWeightA = false;
    r = Decode("06350000001b", r);
    EXPECT_TRUE(r.m_bWeightA);
    r = Decode("06350000001c", r);
    EXPECT_FALSE(r.m_bWeightA);
    r = Decode("063500000000", r);
    EXPECT_FALSE(r.m_bWeightA);   // unchanged
}

TEST_F(LiveClock, MeterTimeWithThePcDate)
{
    EXPECT_EQ(TimeOf("210509"), "07-12-2026,13:05:09");
    EXPECT_EQ(TimeOf("090000").substr(11, 2), "09");
    EXPECT_EQ(TimeOf("120000").substr(11, 2), "12");
    EXPECT_EQ(TimeOf("320000").substr(11, 2), "12");   // 24 shown as 12
    EXPECT_EQ(TimeOf("110000").substr(11, 2), "11");
    // A frame without the clock code keeps the last time.
    SLiveReading r;
    r.m_strMeterTime = "kept";
    EXPECT_EQ(Decode("0635", r).m_strMeterTime, "kept");
    // The code at the frame's very end: the missing characters read empty.
    std::string tail = FrameText("");
    tail.replace(36, 4, "a506");
    DecodeLiveFrameText(tail, r);
    EXPECT_EQ(r.m_strMeterTime, "07-12-2026,00::");
}

TEST(LiveDecode, ContradictingCodesLaterRowWins)
{
    const SLiveReading r = Decode("0635a502a503a511a507a504a50ea50aa51a");
    EXPECT_FALSE(r.m_bFast);
    EXPECT_TRUE(r.m_bOver);
    EXPECT_FALSE(r.m_bUnder);
    EXPECT_FALSE(r.m_bMax);
    EXPECT_FALSE(r.m_bMin);
    EXPECT_FALSE(r.m_bRec);
}

TEST(LiveDecode, AbsentCodesKeepTheirMembersExceptTheHeldPair)
{
    SLiveReading r = Decode("0635a505a508a50aa50ba50ca54c");
    EXPECT_TRUE(r.m_bMin);
    EXPECT_TRUE(r.m_bUnder);
    EXPECT_TRUE(r.m_bRec);
    EXPECT_TRUE(r.m_bBarHeld);
    EXPECT_TRUE(r.m_bDigitsHeld);
    EXPECT_EQ(r.m_nRange, 3);
    EXPECT_EQ(Decode("0635a530").m_nRange, 1);
    EXPECT_EQ(Decode("0635a54ba540").m_nRange, 4);
    r = Decode("0635", r);
    EXPECT_TRUE(r.m_bMin);
    EXPECT_TRUE(r.m_bUnder);
    EXPECT_TRUE(r.m_bRec);
    EXPECT_EQ(r.m_nRange, 3);
    EXPECT_FALSE(r.m_bBarHeld);
    EXPECT_FALSE(r.m_bDigitsHeld);
}

TEST(LiveDecode, CodesStraddlingTwoBytesCount)
{
    // Bytes 0x0a 0x50 0x2f: the characters 0 a 5 0 2 f hold "a502".
    EXPECT_TRUE(Decode("06350a502f").m_bFast);
}


#include <gtest/gtest.h>

#include <random>

#include "protocol/LiveDecode.h"
#include "ProtocolTestUtil.h"

using namespace prototest;

namespace {

class LiveFraming : public ::testing::Test, public ReceiverFixture {};
class Hold : public ::testing::Test, public ReceiverFixture {};
class LoggerFraming : public ::testing::Test, public ReceiverFixture {};

} // namespace

// --- Live path: collecting 40 characters, alignment and the one-frame lag ---

TEST_F(LiveFraming, OneFrameIsOnlyKeptAndTheNextOneDecodesIt)
{
    rx.m_live.m_bHold = true;
    Feed(Frame("0635", "0000001b"));
    EXPECT_FALSE(rx.m_live.m_bHold);
    EXPECT_EQ(rx.m_strReceive.size(), 40u);
    EXPECT_EQ(host.repaints, 1);
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 50.0);   // nothing decoded yet

    Feed(Frame("1204", "0000001c"));
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);   // frame A, one behind the meter
    EXPECT_TRUE(rx.m_live.m_bWeightA);
    EXPECT_EQ(rx.m_strReceive, "a50d1204000000" "1c" + std::string(24, '0'));
    EXPECT_EQ(host.repaints, 2);

    Feed(Frame("0050"));
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 120.4);
    EXPECT_FALSE(rx.m_live.m_bWeightA);
    EXPECT_EQ(rx.m_nRxByteCount, 0);
}

TEST_F(LiveFraming, HalfFramesWaitForFortyCharacters)
{
    const auto frame = Frame("0635");
    Feed(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 10));
    EXPECT_EQ(rx.m_strReceive.size(), 20u);
    EXPECT_EQ(rx.m_nRxByteCount, 10);
    EXPECT_EQ(host.repaints, 0);
    Feed(std::vector<std::uint8_t>(frame.begin() + 10, frame.end()));
    EXPECT_EQ(host.repaints, 1);
    // Exactly one frame buffered: the buffer becomes the chunk just received.
    EXPECT_EQ(rx.m_strReceive, std::string(20, '0'));
}

TEST_F(LiveFraming, StrayTextInFrontIsDroppedAndTheFrameDecodedNextTime)
{
    Feed("12");
    Feed(Frame("0635"));
    EXPECT_EQ(rx.m_strReceive.substr(0, 4), "a50d");
    EXPECT_EQ(host.repaints, 1);
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 50.0);
    Feed(Frame("0100"));
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);
}

TEST_F(LiveFraming, TextWithoutFrameStartIsKeptButBounded)
{
    Feed(std::vector<std::uint8_t>(20, 0x12));
    EXPECT_EQ(rx.m_strReceive.size(), 40u);
    EXPECT_EQ(host.repaints, 0);
    for (int i = 0; i < 10000; ++i)
        Feed(std::vector<std::uint8_t>(20, 0x12));
    EXPECT_LE(rx.m_strReceive.size(), 80u);
    EXPECT_EQ(host.repaints, 0);
    // A frame start split over two chunks is still found.
    Feed("34 a5");
    const auto frame = Frame("0635");
    Feed(std::vector<std::uint8_t>(frame.begin() + 1, frame.end()));
    EXPECT_EQ(host.repaints, 1);
    Feed(Frame("0100"));
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);
}

// The bounded buffer must behave exactly like a buffer that keeps all text:
// a straightforward unbounded model of the live path is run side by side on
// random streams of frames, garbage, HOLD bytes and chunk sizes.
namespace {
struct SUnboundedLive {
    std::string buffer;
    SLiveReading live;
    int repaints = 0;

    void Chunk(const std::uint8_t* data, std::size_t n)
    {
        std::string text;
        for (std::size_t i = 0; i < n; ++i) {
            char two[3];
            std::snprintf(two, sizeof two, "%.2x", data[i]);
            text += two;
        }
        if (text.find("ff") != std::string::npos) {
            live.m_bHold = true;
            return;
        }
        buffer += text;
        if (buffer.size() < 40)
            return;
        live.m_bHold = false;
        const std::size_t p = buffer.find("a50d");
        if (p == std::string::npos)
            return;
        if (p > 0) {
            buffer.erase(0, p);
            if (buffer.size() < 40)
                return;
        } else if (buffer.size() == 40) {
            buffer = text;
        } else {
            DecodeLiveFrameText(buffer.substr(0, 40), live);
            buffer.erase(0, 40);
        }
        ++repaints;
    }
};
} // namespace

TEST_F(LiveFraming, BoundedBufferGivesTheSameReadingsAsAnUnboundedOne)
{
    std::mt19937 rng(7);
    std::vector<std::uint8_t> stream;
    for (int part = 0; part < 3000; ++part) {
        const int kind = static_cast<int>(rng() % 6);
        if (kind < 3) {
            const char* codes[] = {"a502", "a503", "a504", "a505", "a50e", "a508", "a511", "a54b"};
            char level[5];
            std::snprintf(level, sizeof level, "%.4u", static_cast<unsigned>(rng() % 1300));
            const auto f = Frame(level, std::string("0000001b") + codes[rng() % 8]);
            stream.insert(stream.end(), f.begin(), f.end());
        } else if (kind < 5) {
            const std::size_t n = rng() % (kind == 3 ? 7 : 300);
            for (std::size_t i = 0; i < n; ++i)
                stream.push_back(static_cast<std::uint8_t>(rng() % 0xFF));
        } else {
            stream.push_back(0xFF);
        }
    }
    SUnboundedLive model;
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t n = std::min<std::size_t>(1 + rng() % 20, stream.size() - at);
        rx.OnReceiveData(stream.data() + at, n);
        model.Chunk(stream.data() + at, n);
        at += n;
        ASSERT_EQ(host.repaints, model.repaints) << "at byte " << at;
        ASSERT_EQ(rx.m_live.m_dLevel, model.live.m_dLevel) << "at byte " << at;
        ASSERT_EQ(rx.m_live.m_bHold, model.live.m_bHold);
        ASSERT_EQ(rx.m_live.m_bFast, model.live.m_bFast);
        ASSERT_EQ(rx.m_live.m_bMax, model.live.m_bMax);
        ASSERT_EQ(rx.m_live.m_bUnder, model.live.m_bUnder);
        ASSERT_EQ(rx.m_live.m_nRange, model.live.m_nRange);
        ASSERT_LE(rx.m_strReceive.size(), 120u);
    }
    EXPECT_GT(model.repaints, 1000);
}

// --- HOLD: any "ff" in a live chunk's text ---

TEST_F(Hold, DuringARunStopsTheRunAndTheChunkIsNotBuffered)
{
    rx.m_bRunActive = true;
    Feed(Frame("0635"));
    rx.m_live.m_bStopKeyFlag = true;
    Feed("12 ff 34");
    EXPECT_TRUE(rx.m_live.m_bHold);
    EXPECT_FALSE(rx.m_live.m_bStopKeyFlag);   // cleared after every chunk
    EXPECT_EQ(rx.m_timeLastRx, LocalNoon(2026, 12, 7));
    EXPECT_TRUE(rx.m_bLinkAlive);
    EXPECT_EQ(host.holdStops, 1);
    EXPECT_EQ(rx.m_strReceive.size(), 40u);
    // The next chunk that completes 40 characters clears it.
    Feed(Frame("0100"));
    EXPECT_FALSE(rx.m_live.m_bHold);
    EXPECT_EQ(host.holdStops, 1);
}

TEST_F(Hold, FormedAcrossTwoBytesAndWithoutARun)
{
    Feed("0f f1");
    EXPECT_TRUE(rx.m_live.m_bHold);
    EXPECT_EQ(host.holdStops, 0);
    EXPECT_TRUE(rx.m_strReceive.empty());
    Feed("12 34");   // fewer than 40 characters: HOLD stays
    EXPECT_TRUE(rx.m_live.m_bHold);
}

// --- Data-logger answer: header, progress, hand-over ---

TEST_F(LoggerFraming, HeaderSplitAcrossChunksAfterLiveText)
{
    Feed(Frame("0635"));
    rx.BeginDownload();
    Feed("a5 0d bb 01");
    EXPECT_FALSE(rx.m_bLogAck);
    EXPECT_EQ(rx.m_strReceive, "bb01");   // everything in front of "bb" dropped
    Feed("00 11 22");
    EXPECT_TRUE(rx.m_bLogAck);
    EXPECT_EQ(rx.m_nLogExpected, 158);
    EXPECT_EQ(rx.m_nRxByteCount, 2);
    EXPECT_TRUE(host.progress.empty());
    Feed("33 44 55");
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_EQ(host.progress[0], (CFakeHost::SProgress{158, 10, 5}));
    EXPECT_TRUE(rx.m_bLogDownload);
}

TEST_F(LoggerFraming, EmptyLoggerEndsTheDownloadAtOnce)
{
    rx.BeginDownload();
    Feed("bb 00 64 dd");
    EXPECT_EQ(rx.m_nLogExpected, 2);
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.downloadsEnded, 1);
    EXPECT_EQ(store.GetSize(), 0u);
    EXPECT_EQ(rx.m_logDecoder.m_nLogGroup, 0);
}

TEST_F(LoggerFraming, HeaderAndEndMarkerInOneChunk)
{
    rx.BeginDownload();
    Feed("bb 01 00 | aa 11 12 05 09 03 07 10 ac 06 53 00 00 dd");
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.downloadsEnded, 1);
    EXPECT_EQ(rx.m_nRxByteCount, 0);
    ASSERT_EQ(store.GetSize(), 2u);
    EXPECT_DOUBLE_EQ(store.GetAt(0).m_dValue, 65.3);
    EXPECT_EQ(store.GetAt(0).m_strTime, "05-12-2011,9:03:07");
    EXPECT_EQ(store.GetAt(1).m_strTime, "05-12-2011,9:03:17");
    EXPECT_EQ(store.GetAt(1).m_nGroup, 1);
}

TEST_F(LoggerFraming, EndMarkerInALaterChunkCutsAtTheFirstOneInTheBuffer)
{
    rx.BeginDownload();
    Feed("bb 01 00 | aa 11 12 05 09 03 07 10 ac 06 53");
    Feed("00 0d");
    Feed("d0 12");   // "dd" only across the chunk boundary: no hand-over yet
    EXPECT_TRUE(rx.m_bLogDownload);
    EXPECT_EQ(store.GetSize(), 0u);
    Feed("dd");
    EXPECT_FALSE(rx.m_bLogDownload);
    EXPECT_EQ(host.downloadsEnded, 1);
    EXPECT_EQ(rx.m_nRxByteCount, 0);
    ASSERT_EQ(store.GetSize(), 2u);   // cut at "0d|d0": the sample 0x12 is not part of it
    EXPECT_EQ(host.progress.size(), 3u);

    // Back in live mode the buffer re-aligns on the next frame.
    Feed(Frame("0635"));
    Feed(Frame("0100"));
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);
}

TEST_F(LoggerFraming, WaitingForTheHeaderKeepsTheBufferSmall)
{
    rx.BeginDownload();
    for (int i = 0; i < 10000; ++i)
        Feed(std::vector<std::uint8_t>(20, 0x12));
    EXPECT_LE(rx.m_strReceive.size(), 80u);
    Feed("12 0b");
    Feed("b0 10 01 12");   // "bb" across the boundary, then the length 0x0100
    EXPECT_TRUE(rx.m_bLogAck);
    EXPECT_EQ(rx.m_nLogExpected, 158);
}

TEST_F(LoggerFraming, AnswerWithoutEndMarkerStaysBounded)
{
    rx.BeginDownload();
    Feed("bb ff ff");
    for (int i = 0; i < 40000; ++i)
        Feed(std::vector<std::uint8_t>(20, 0x12));
    EXPECT_LE(rx.m_strReceive.size(), std::size_t{1} << 20);
    EXPECT_EQ(host.progress.back(), (CFakeHost::SProgress{(0xFFFF - 98) & 0xFFFF, 10, 800000}));
    Feed("dd");
    EXPECT_FALSE(rx.m_bLogDownload);
}

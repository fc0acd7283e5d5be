#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
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

TEST_F(LiveFraming, FrameSplitOverTwoChunksIsDecodedWhenTheNextBytesArrive)
{
    const auto frame = Frame("0635");
    Feed(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 10));
    EXPECT_EQ(rx.m_strReceive.size(), 20u);
    EXPECT_EQ(rx.m_nRxByteCount, 10);
    EXPECT_EQ(host.repaints, 0);
    Feed(std::vector<std::uint8_t>(frame.begin() + 10, frame.end()));
    EXPECT_EQ(host.repaints, 1);
    EXPECT_EQ(rx.m_strReceive.substr(0, 8), "a50d0635");   // the frame waits for text behind it
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 50.0);
    Feed("a5");
    EXPECT_DOUBLE_EQ(rx.m_live.m_dLevel, 63.5);
    EXPECT_EQ(rx.m_strReceive, "a5");
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

namespace {

// A live frame with a random level and random codes; its text never holds a
// second frame start or a HOLD marker.
std::vector<std::uint8_t> RandomFrame(std::mt19937& rng)
{
    static const char* const codes[] = {"a502", "a503", "a504", "a505", "a50e", "a508", "a511", "a507",
                                        "a50a", "a51a", "a50b", "a530", "a54b", "a54c", "a540"};
    char level[5];
    std::snprintf(level, sizeof level, "%.4u", static_cast<unsigned>(rng() % 1300));
    std::string rest = rng() % 2 ? "0000001b" : "0000001c";
    for (int i = 0; i < 3; ++i)
        rest += codes[rng() % std::size(codes)];
    return Frame(level, rest);
}

// Bytes whose text is decimal digits only: no frame start, no HOLD marker.
std::vector<std::uint8_t> Stray(std::mt19937& rng, std::size_t n)
{
    std::vector<std::uint8_t> out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>((rng() % 10) << 4 | rng() % 10);
    return out;
}

void ExpectSameReading(const SLiveReading& got, const SLiveReading& want)
{
    EXPECT_EQ(got.m_dLevel, want.m_dLevel);
    EXPECT_EQ(got.m_bHold, want.m_bHold);
    EXPECT_EQ(got.m_bFast, want.m_bFast);
    EXPECT_EQ(got.m_bWeightA, want.m_bWeightA);
    EXPECT_EQ(got.m_bMax, want.m_bMax);
    EXPECT_EQ(got.m_bMin, want.m_bMin);
    EXPECT_EQ(got.m_bUnder, want.m_bUnder);
    EXPECT_EQ(got.m_bOver, want.m_bOver);
    EXPECT_EQ(got.m_bRec, want.m_bRec);
    EXPECT_EQ(got.m_bBarHeld, want.m_bBarHeld);
    EXPECT_EQ(got.m_nRange, want.m_nRange);
}

} // namespace

// Frames, with stray bytes between some of them, split into chunks of 1 to
// 20 bytes at random (and at a few fixed splits): after every chunk the
// reading is that of the newest frame that has at least one byte behind it.
TEST_F(LiveFraming, EveryFrameIsDecodedHoweverItsBytesAreChunked)
{
    std::mt19937 rng(11);
    const std::vector<std::vector<std::size_t>> fixedSplits = {{10, 10}, {15, 5}, {5, 15}, {19, 1}, {1}, {7}, {20}};
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        CFakeHost trialHost;
        CReceiver receiver(trialHost, store);
        std::vector<std::uint8_t> stream;
        std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>> frames;   // end in the stream, bytes
        for (int f = 0; f < 30; ++f) {
            if (rng() % 4 == 0) {
                const auto stray = Stray(rng, 1 + rng() % 30);
                stream.insert(stream.end(), stray.begin(), stray.end());
            }
            const auto frame = RandomFrame(rng);
            stream.insert(stream.end(), frame.begin(), frame.end());
            frames.emplace_back(stream.size(), frame);
        }
        stream.push_back(0x00);   // something behind the last frame
        const std::vector<std::size_t> split = trial < 7 ? fixedSplits[trial] : std::vector<std::size_t>{};
        SLiveReading want;
        std::size_t decoded = 0;
        for (std::size_t at = 0, chunk = 0; at < stream.size(); ++chunk) {
            const std::size_t n = std::min(split.empty() ? 1 + rng() % 20 : split[chunk % split.size()],
                                           stream.size() - at);
            receiver.OnReceiveData(stream.data() + at, n);
            at += n;
            for (; decoded < frames.size() && frames[decoded].first < at; ++decoded) {
                const auto text = prototest::HexText(frames[decoded].second);
                DecodeLiveFrameText(text, want);
            }
            ExpectSameReading(receiver.m_live, want);
            ASSERT_LE(receiver.m_strReceive.size(), 120u);
            if (HasFailure())
                return;
        }
        EXPECT_EQ(decoded, frames.size());
    }
}

// The receive path's rules for reads that each bring one whole frame (or
// stray bytes, or a HOLD marker): an exactly-one-frame buffer becomes the
// read's own text, and a frame found behind stray text is decoded only by
// the next read. Streams of whole reads decode exactly as under these rules.
namespace {
struct SWholeReadRules {
    std::string buffer;
    SLiveReading live;
    int repaints = 0;

    void Chunk(const std::vector<std::uint8_t>& read)
    {
        const std::string text = prototest::HexText(read);
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

TEST_F(LiveFraming, WholeFrameReadsDecodeAsOneFramePerRead)
{
    std::mt19937 rng(7);
    SWholeReadRules model;
    for (int read = 0; read < 5000; ++read) {
        const unsigned kind = rng() % 8;
        std::vector<std::uint8_t> bytes;
        if (kind < 5)
            bytes = RandomFrame(rng);
        else if (kind == 5)
            bytes = Stray(rng, 20);
        else if (kind == 6)
            bytes = {0xFF};
        else
            bytes = Frame(rng() % 2 ? "0e35" : "0ff0");   // a level that is no reading, or a HOLD marker inside
        Feed(bytes);
        model.Chunk(bytes);
        SCOPED_TRACE(read);
        ASSERT_EQ(host.repaints, model.repaints);
        ExpectSameReading(rx.m_live, model.live);
        ASSERT_FALSE(HasFailure());
        ASSERT_LE(rx.m_strReceive.size(), 120u);
    }
    EXPECT_GT(model.repaints, 3000);
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
    EXPECT_NE(rx.m_timeLastRx, sonivel::SteadyTime{});   // stamped on the monotonic clock
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

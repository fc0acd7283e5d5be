#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <sys/stat.h>

#include "Records.h"
#include "TempDir.h"
#include "files/DataFile.h"

using namespace sonivel;
using EStatus = SDataFileRead::EStatus;

namespace {

const char kHeader1[] = "DECIVOX DATA LOGGER SamplingRate:1.0;\r\n";

void ExpectRecord(const CObjData& r, double value, const std::string& time, const std::string& unit,
                  double rate)
{
    EXPECT_DOUBLE_EQ(r.m_dValue, value);
    EXPECT_EQ(r.m_strTime, time);
    EXPECT_EQ(r.m_strUnit, unit);
    EXPECT_EQ(r.m_nGroup, 0);
    EXPECT_DOUBLE_EQ(r.m_dSampleRate, rate);
}

} // namespace

TEST(DataFileWrite, LayoutIsByteExactWithCrLfAndFieldWidths)
{
    const CRecordStore store = MakeStore({{65.3, "05-12-2011,14:03:07", "dBA"},
                                          {104.25, "05-12-2011,14:03:08", "dBC"},
                                          {5.3, "05-12-2011,4:03:09", "dBA"}});
    EXPECT_EQ(FormatDataFile(store), "DECIVOX DATA LOGGER SamplingRate:1.0;\r\n"
                                     "05-12-2011,14:03:07, 65.30, dBA\r\n"
                                     "05-12-2011,14:03:08, 104.25, dBC\r\n"
                                     "05-12-2011,4:03:09,  5.30, dBA\r\n");
}

TEST(DataFileWrite, HeaderCarriesTheFirstRecordsRateWithOneDecimal)
{
    EXPECT_EQ(FormatDataFile(MakeStore({{60, "t", "dBA"}}, 0.1)).substr(0, 39),
              "DECIVOX DATA LOGGER SamplingRate:0.1;\r\n");
    EXPECT_EQ(FormatDataFile(MakeStore({{60, "t", "dBA"}}, 10.0)).substr(0, 40),
              "DECIVOX DATA LOGGER SamplingRate:10.0;\r\n");
    EXPECT_EQ(FormatDataFile(CRecordStore{}), "");
}

TEST(DataFileRoundTrip, RealFileGivesBackTimesValuesUnitsAndRate)
{
    CTempDir dir;
    const std::string path = dir.Path("run.txt");
    const CRecordStore saved = MakeStore({{104.25, "05-12-2011,14:03:07", "dBA"},
                                          {5.3, "05-12-2011,14:03:07", "dBC"},
                                          {0.0, "06-12-2011,9:00:00", "dBA"}},
                                         0.1, /*group*/ 4);
    ASSERT_TRUE(WriteDataFile(path, saved).ok);

    SDataFileRead read = ReadDataFile(path);
    ASSERT_EQ(read.status, EStatus::Ok);
    ASSERT_EQ(read.records.GetSize(), 3u);
    ExpectRecord(read.records.GetAt(0), 104.25, "05-12-2011,14:03:07", "dBA", 0.1);
    ExpectRecord(read.records.GetAt(1), 5.3, "05-12-2011,14:03:07", "dBC", 0.1);
    ExpectRecord(read.records.GetAt(2), 0.0, "06-12-2011,9:00:00", "dBA", 0.1);

    // Saving what was read gives the same bytes again.
    CRecordStore reread;
    reread.Replace(std::move(read.records));
    EXPECT_EQ(FormatDataFile(reread), CTempDir::Read(path));
}

TEST(DataFileRead, CrLfCrAndLfLineEndsReadAlikeHoweverTheBytesArrive)
{
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        const std::string content = "DECIVOX DATA LOGGER SamplingRate:1.0;" + eol + "01-01-2020,1:02:03, 65.30, dBA" +
                                    eol + "02-01-2020,1:02:04,  5.30, dBC" + eol;
        auto expectTwo = [&](const SDataFileRead& read, const std::string& how) {
            ASSERT_EQ(read.status, EStatus::Ok) << how;
            ASSERT_EQ(read.records.GetSize(), 2u) << how;
            ExpectRecord(read.records.GetAt(0), 65.3, "01-01-2020,1:02:03", "dBA", 1.0);
            ExpectRecord(read.records.GetAt(1), 5.3, "02-01-2020,1:02:04", "dBC", 1.0);
        };
        CTempDir dir;
        CTempDir::Write(dir.Path("run.txt"), content);
        expectTwo(ReadDataFile(dir.Path("run.txt")), "file");
        expectTwo(ParseDataFile(content.substr(0, content.size() - eol.size())), "no last line end");
        // Pieces of every size up to 7 bytes: a CR LF may be split between two.
        for (std::size_t piece = 1; piece <= 7; ++piece) {
            std::size_t at = 0;
            CLineReader lines(
                [&](char* buffer, std::size_t size) {
                    const std::size_t n = std::min({piece, size, content.size() - at});
                    content.copy(buffer, n, at);
                    at += n;
                    return static_cast<long>(n);
                },
                kDataFileMaxLine);
            expectTwo(ParseDataFile(lines), "pieces of " + std::to_string(piece));
        }
    }
}

TEST(DataFileRead, ALastLineCutShortIsNoRecord)
{
    const std::string whole = std::string(kHeader1) + "01-01-2020,1:02:03, 65.30, dBA\r\n02-01-2020,1:02:04,  5.30, dBC";
    struct SCase {
        std::string content;
        std::size_t records;
    } cases[] = {
        {whole + "\r\n03-01-2020,1:0", 2},         {whole + "\r\n03-01-2020,1:02:05, 7", 2},
        {whole + "\r\n03-01-2020,1:02:05, 70.00, d", 2}, {whole + "\r\n03-01-2020,1:02:05, 70.00, dB", 2},
        {whole + "\r\n03-01-2020,1:02:05, 70.00, dBA", 3}, {whole + "\r", 2},
        {whole.substr(0, whole.size() - 1), 1},
    };
    for (const SCase& c : cases) {
        const SDataFileRead read = ParseDataFile(c.content);
        ASSERT_EQ(read.status, EStatus::Ok) << c.content;
        ASSERT_EQ(read.records.GetSize(), c.records) << c.content;
        for (std::size_t k = 0; k < read.records.GetSize(); ++k) {
            const CObjData r = read.records.GetAt(k);
            EXPECT_GT(r.m_dValue, 0.0) << c.content;   // no phantom 0 dB record
        }
    }
}

TEST(DataFileRead, HeaderCheckIsCaseSensitiveAndRefusesOtherEncodings)
{
    const std::string utf16 = std::string("\xff\xfe", 2) + std::string("D\0E\0C\0I\0V\0O\0X\0", 14);
    for (const std::string& content :
         {std::string("decivox data logger SamplingRate:1.0;\r\nx, 1, dBA\r\n"),
          std::string("DECIVOX DATA LOGGER samplingrate:1.0;\r\n"), std::string("DECIVOX DATA LOGGER Sampling\r\n"),
          std::string("\r\nDECIVOX DATA LOGGER SamplingRate:1.0;\r\n"), std::string(), utf16}) {
        const SDataFileRead read = ParseDataFile(content);
        EXPECT_EQ(read.status, EStatus::BadFormat) << content;
        EXPECT_EQ(read.message, "Data Format is wrong!");
        EXPECT_TRUE(read.records.IsEmpty());
    }
}

TEST(DataFileRead, RateIsTheTextBetweenColonAndSemicolon)
{
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate:0.5;"), 0.5);
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate: 2.5s;junk:7;"), 2.5);
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate"), 0.0);
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate:abc;"), 0.0);
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate;3:"), 0.0);
    EXPECT_DOUBLE_EQ(ParseHeaderRate("DECIVOX DATA LOGGER SamplingRate:3"), 0.0);

    // The bare header prefix is accepted; its records get the rate 0.
    const SDataFileRead read = ParseDataFile("DECIVOX DATA LOGGER SamplingRate\r\n01-01-2020,1:02:03, 65.30, dBA\r\n");
    ASSERT_EQ(read.status, EStatus::Ok);
    ASSERT_EQ(read.records.GetSize(), 1u);
    EXPECT_EQ(read.records.GetAt(0).m_dSampleRate, 0.0);
}

TEST(DataFileRead, AnEmptyLineEndsTheRecords)
{
    const SDataFileRead read = ParseDataFile(std::string(kHeader1) +
                                             "a,1, 60.00, dBA\r\n"
                                             "\r\n"
                                             "b,2, 70.00, dBA\r\n");
    ASSERT_EQ(read.status, EStatus::Ok);
    ASSERT_EQ(read.records.GetSize(), 1u);
    EXPECT_EQ(read.records.GetAt(0).m_strTime, "a,1");
    EXPECT_TRUE(ParseDataFile(std::string(kHeader1)).records.IsEmpty());
}

TEST(DataFileRead, LinesWithFewerCommasStillGiveRecords)
{
    // No comma: empty time, level 0, unit from the last characters.
    ExpectRecord(ParseRecordLine("garbage dBA", 1.0), 0.0, "", "dBA", 1.0);
    // One comma: the time is the text before it, no value.
    ExpectRecord(ParseRecordLine("05-12-2011,14:03:07", 1.0), 0.0, "05-12-2011", "3:07", 1.0);
    // Two commas: no third one, so no value.
    ExpectRecord(ParseRecordLine("d,t, 65.30 dBA", 1.0), 0.0, "d,t", "dBA", 1.0);
    // Lines shorter than a unit, a stray carriage return, a non-number value.
    ExpectRecord(ParseRecordLine("x", 1.0), 0.0, "", "x", 1.0);
    ExpectRecord(ParseRecordLine("", 1.0), 0.0, "", "", 1.0);
    ExpectRecord(ParseRecordLine("d,t, 65.30, dBC\r", 1.0), 65.3, "d,t", "dBC", 1.0);
    ExpectRecord(ParseRecordLine("d,t, loud, dBA", 1.0), 0.0, "d,t", "dBA", 1.0);
    // Only the last four characters make the unit.
    ExpectRecord(ParseRecordLine("d,t, 65.30, dB(A)", 1.0), 65.3, "d,t", "B(A)", 1.0);
}

TEST(DataFileRead, AFileThatCannotBeOpenedIsAnErrorNamingIt)
{
    CTempDir dir;
    const std::string missing = dir.Path("nothing.txt");
    SDataFileRead read = ReadDataFile(missing);
    EXPECT_EQ(read.status, EStatus::CannotOpen);
    EXPECT_NE(read.message.find(missing), std::string::npos) << read.message;
    EXPECT_NE(read.message.find("No such file or directory"), std::string::npos) << read.message;

    read = ReadDataFile(dir.Root());
    EXPECT_EQ(read.status, EStatus::CannotOpen);
    EXPECT_NE(read.message.find("Is a directory"), std::string::npos) << read.message;

    // Only regular files are read: a pipe without a writer would wait for
    // ever, a device could give bytes without end.
    const std::string fifo = dir.Path("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        read = ReadDataFile(path);
        EXPECT_EQ(read.status, EStatus::CannotOpen) << path;
        EXPECT_NE(read.message.find(path), std::string::npos) << read.message;
        EXPECT_NE(read.message.find("not a regular file"), std::string::npos) << read.message;
    }
}

namespace {

// A stream of size bytes: first, then fill repeated; counts what was taken.
class CLongStream : public std::streambuf {
public:
    CLongStream(std::string first, char fill, std::size_t size) : m_first(std::move(first)), m_fill(fill), m_left(size) {}
    std::size_t Taken() const { return m_taken; }

protected:
    int_type underflow() override
    {
        if (m_left == 0)
            return traits_type::eof();
        const std::size_t n = std::min(m_left, sizeof m_buffer);
        std::fill_n(m_buffer, n, m_fill);
        const std::size_t head = std::min(n, m_first.size());
        m_first.copy(m_buffer, head);
        m_first.erase(0, head);
        m_left -= n;
        m_taken += n;
        setg(m_buffer, m_buffer, m_buffer + n);
        return traits_type::to_int_type(m_buffer[0]);
    }

private:
    std::string m_first;
    char m_fill;
    std::size_t m_left;
    std::size_t m_taken = 0;
    char m_buffer[4096];
};

} // namespace

TEST(DataFileRead, TheHeaderIsCheckedBeforeTheRestIsReadAndNoLineGrowsWithoutBound)
{
    const std::size_t size = 64u << 20;
    const std::size_t bound = 4 * kDataFileMaxLine;
    struct SCase {
        std::string first;
        char fill;
    } cases[] = {{"", '\0'}, {"PK\3\4\r\n", 'x'}, {"DECIVOX DATA LOGGER SamplingRate:1.0;", 'x'},
                 {"DECIVOX DATA LOGGER SamplingRate:1.0;\r\n01-01-2020,1:02:03, ", '7'}};
    for (const SCase& c : cases) {
        CLongStream bytes(c.first, c.fill, size);
        std::istream in(&bytes);
        const SDataFileRead read = ParseDataFile(in);
        EXPECT_EQ(read.status, EStatus::BadFormat) << c.first;
        EXPECT_EQ(read.message, "Data Format is wrong!");
        EXPECT_TRUE(read.records.IsEmpty());
        EXPECT_LE(bytes.Taken(), bound) << c.first;
    }
}

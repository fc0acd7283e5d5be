#include <gtest/gtest.h>

#include <sstream>

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
    ASSERT_EQ(read.records.size(), 3u);
    ExpectRecord(*read.records[0], 104.25, "05-12-2011,14:03:07", "dBA", 0.1);
    ExpectRecord(*read.records[1], 5.3, "05-12-2011,14:03:07", "dBC", 0.1);
    ExpectRecord(*read.records[2], 0.0, "06-12-2011,9:00:00", "dBA", 0.1);

    // Saving what was read gives the same bytes again.
    CRecordStore reread;
    reread.Replace(std::move(read.records));
    EXPECT_EQ(FormatDataFile(reread), CTempDir::Read(path));
}

TEST(DataFileRead, LfAndCrLfFilesAndAMissingLastLineEndReadAlike)
{
    const std::string crlf = std::string(kHeader1) + "01-01-2020,1:02:03, 65.30, dBA\r\n02-01-2020,1:02:04,  5.30, dBC\r\n";
    const std::string lf = "DECIVOX DATA LOGGER SamplingRate:1.0;\n01-01-2020,1:02:03, 65.30, dBA\n02-01-2020,1:02:04,  5.30, dBC";
    for (const std::string& content : {crlf, lf}) {
        const SDataFileRead read = ParseDataFile(content);
        ASSERT_EQ(read.status, EStatus::Ok);
        ASSERT_EQ(read.records.size(), 2u);
        ExpectRecord(*read.records[0], 65.3, "01-01-2020,1:02:03", "dBA", 1.0);
        ExpectRecord(*read.records[1], 5.3, "02-01-2020,1:02:04", "dBC", 1.0);
    }
    std::istringstream stream(crlf);
    EXPECT_EQ(ParseDataFile(stream).records.size(), 2u);
}

TEST(DataFileRead, HeaderCheckIsCaseSensitiveAndRefusesOtherEncodings)
{
    const std::string utf16 = std::string("\xff\xfe", 2) + std::string("D\0E\0C\0I\0V\0O\0X\0", 14);
    for (const std::string& content :
         {std::string("decivox data logger SamplingRate:1.0;\r\nx, 1, dBA\r\n"),
          std::string("DECIVOX DATA LOGGER samplingrate:1.0;\r\n"), std::string("DECIVOX DATA LOGGER Sampling\r\n"),
          std::string("\r\nDECIVOX DATA LOGGER SamplingRate:1.0;\r\n"), std::string(), utf16}) {
        const SDataFileRead read = ParseDataFile(content);
        EXPECT_EQ(read.status, EStatus::BadHeader) << content;
        EXPECT_EQ(read.message, "Data Format is wrong!");
        EXPECT_TRUE(read.records.empty());
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
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0]->m_dSampleRate, 0.0);
}

TEST(DataFileRead, AnEmptyLineEndsTheRecords)
{
    const SDataFileRead read = ParseDataFile(std::string(kHeader1) +
                                             "a,1, 60.00, dBA\r\n"
                                             "\r\n"
                                             "b,2, 70.00, dBA\r\n");
    ASSERT_EQ(read.status, EStatus::Ok);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0]->m_strTime, "a,1");
    EXPECT_TRUE(ParseDataFile(std::string(kHeader1)).records.empty());
}

TEST(DataFileRead, LinesWithFewerCommasStillGiveRecords)
{
    // No comma: empty time, level 0, unit from the last characters.
    ExpectRecord(*ParseRecordLine("garbage dBA", 1.0), 0.0, "", "dBA", 1.0);
    // One comma: the time is the text before it, no value.
    ExpectRecord(*ParseRecordLine("05-12-2011,14:03:07", 1.0), 0.0, "05-12-2011", "3:07", 1.0);
    // Two commas: no third one, so no value.
    ExpectRecord(*ParseRecordLine("d,t, 65.30 dBA", 1.0), 0.0, "d,t", "dBA", 1.0);
    // Lines shorter than a unit, a stray carriage return, a non-number value.
    ExpectRecord(*ParseRecordLine("x", 1.0), 0.0, "", "x", 1.0);
    ExpectRecord(*ParseRecordLine("", 1.0), 0.0, "", "", 1.0);
    ExpectRecord(*ParseRecordLine("d,t, 65.30, dBC\r", 1.0), 65.3, "d,t", "dBC", 1.0);
    ExpectRecord(*ParseRecordLine("d,t, loud, dBA", 1.0), 0.0, "d,t", "dBA", 1.0);
    // Only the last four characters make the unit.
    ExpectRecord(*ParseRecordLine("d,t, 65.30, dB(A)", 1.0), 65.3, "d,t", "B(A)", 1.0);
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
}

#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include "Records.h"
#include "TempDir.h"
#include "common/Clock.h"
#include "files/ExcelExport.h"
#include "files/FileNames.h"

using namespace sonivel;

namespace {

SStatBlock Block()
{
    SStatBlock b;
    b.stats.dMax = 104.25;
    b.stats.strMaxTime = "05-12-2011,14:03:08";
    b.stats.strMaxUnit = "dBC";
    b.stats.dMin = 5.3;
    b.stats.strMinTime = "05-12-2011,14:03:09";
    b.stats.strMinUnit = "dBA";
    b.stats.dAverage = 58.283333;
    b.stats.strStartTime = "05-12-2011,14:03:07";
    b.dSum = 174.85;
    b.dSampleRate = 0.5;
    return b;
}

const CRecordStore& Series()
{
    static const CRecordStore store = MakeStore({{65.3, "05-12-2011,14:03:07", "dBA"},
                                                 {104.25, "05-12-2011,14:03:08", "dBC"},
                                                 {5.3, "05-12-2011,14:03:09", "dBA"}},
                                                0.5, /*group*/ 7);
    return store;
}

const char kStatsBeforeMax[] = "StartTime\t05-12-2011,14:03:07\t\r\n";
const char kStatsAfterMax[] = "Min\t5.30 @ 05-12-2011,14:03:09  dBA\t\r\n"
                              "Average\t58.28\t\r\n"
                              "SampleRate\t0.50\t\r\n"
                              "ID\tUnit\tValue\tDateTime\t\r\n"
                              "1\tdBA\t65.30\t05-12-2011,14:03:07\t\r\n"
                              "2\tdBC\t104.25\t05-12-2011,14:03:08\t\r\n"
                              "3\tdBA\t5.30\t05-12-2011,14:03:09\t\r\n";

} // namespace

TEST(Export, BothLayoutsByteForByteDifferingOnlyInTheMaxLine)
{
    EXPECT_EQ(FormatExport(Series(), Block(), EExportSource::MainView),
              std::string(kStatsBeforeMax) + "Max\t104.25 @ 05-12-2011,14:03:08  dBC\t\r\n" + kStatsAfterMax);
    EXPECT_EQ(FormatExport(Series(), Block(), EExportSource::DataLogger),
              std::string(kStatsBeforeMax) + "Max\t104.25 @ 05-12-2011,14:03:08  dBC \t\r\n" + kStatsAfterMax);
}

TEST(Export, OneRecordGivesSevenLinesAndNoRecordsNothing)
{
    const CRecordStore one = MakeStore({{65.3, "t", "dBA"}});
    const std::string text = FormatExport(one, Block(), EExportSource::MainView);
    std::size_t lines = 0;
    for (std::size_t p = text.find("\t\r\n"); p != std::string::npos; p = text.find("\t\r\n", p + 1))
        ++lines;
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(text.substr(text.rfind("ID\t")), "ID\tUnit\tValue\tDateTime\t\r\n1\tdBA\t65.30\tt\t\r\n");

    CTempDir dir;
    EXPECT_TRUE(WriteExport(dir.Path("none.xls"), CRecordStore{}, Block(), EExportSource::MainView).ok);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("none.xls")));
}

TEST(Export, WritesTheFileAndAFailureKeepsTheOldOne)
{
    CTempDir dir;
    const std::string path = dir.Path("run.xls");
    ASSERT_TRUE(WriteExport(path, Series(), Block(), EExportSource::DataLogger).ok);
    EXPECT_EQ(CTempDir::Read(path), FormatExport(Series(), Block(), EExportSource::DataLogger));

    const SFileResult failed = WriteExport(dir.Path("no/such/folder.xls"), Series(), Block(), EExportSource::MainView);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("no/such/folder.xls"), std::string::npos) << failed.message;
}

TEST(FileNames, InitialNamesHaveNoLeadingZeros)
{
    const std::time_t when = testsupport::LocalMoment(2011, 5, 2, 4, 3, 59);
    EXPECT_EQ(InitialFileName(when, "txt"), "2011-5-2 4-3.txt");
    SetClock([when] { return when; });
    EXPECT_EQ(InitialFileName("xls"), "2011-5-2 4-3.xls");
    SetClock({});
}

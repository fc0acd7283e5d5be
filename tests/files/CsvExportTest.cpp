#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

#include "Records.h"
#include "TempDir.h"
#include "files/CsvExport.h"

using namespace sonivel;

namespace {

// Runs a test in the Berlin zone (UTC+1 in winter, UTC+2 in summer) and in a
// comma-decimal locale when one is installed, restoring both afterwards.
class CsvExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_hadTz = tz != nullptr;
        m_oldTz = tz ? tz : "";
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
        m_oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
        m_bCommaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    }
    void TearDown() override
    {
        std::setlocale(LC_NUMERIC, m_oldNumeric.c_str());
        if (m_hadTz)
            setenv("TZ", m_oldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    std::string m_oldTz, m_oldNumeric;
    bool m_hadTz = false, m_bCommaLocale = false;
};

} // namespace

TEST_F(CsvExportTest, RowsCarryIsoTimeWithTheZoneOffsetOfTheirDateDotDecimalsAndTheWeighting)
{
    struct SCase {
        double value;
        const char* time;
        const char* unit;
        int milli;
        const char* row;
    };
    const SCase cases[] = {
        {63.5, "08-12-2026,11:01:19", "dBA", 500, "2026-12-08T11:01:19.500+01:00,63.50,A,2026-12-08T11:01:19.500\r\n"},
        {0, "01-07-2026,23:59:59", "dBC", 0, "2026-07-01T23:59:59.000+02:00,0.00,C,2026-07-01T23:59:59.000\r\n"},
        {199.9, "29-02-2028,00:00:00", "dBA", 999, "2028-02-29T00:00:00.999+01:00,199.90,A,2028-02-29T00:00:00.999\r\n"},
        {-3.25, "29-03-2026,03:00:00", "dBC", 0, "2026-03-29T03:00:00.000+02:00,-3.25,C,2026-03-29T03:00:00.000\r\n"},
        {54.321, "25-10-2026,12:00:00", "dBA", 0, "2026-10-25T12:00:00.000+01:00,54.32,A,2026-10-25T12:00:00.000\r\n"},
        // Unreadable times are kept as they are, quoted where the comma needs it.
        {70, "31-02-2026,10:00:00", "dBA", 0, "\"31-02-2026,10:00:00\",70.00,A,\r\n"},
        {70, "garbage", "dBA", 0, "garbage,70.00,A,\r\n"},
        {70, "", "dBA", 0, ",70.00,A,\r\n"},
        // Units other than the two weightings are written as they are.
        {70, "08-12-2026,11:01:19", "d\"B,Z", 0, "2026-12-08T11:01:19.000+01:00,70.00,\"d\"\"B,Z\",2026-12-08T11:01:19.000\r\n"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.time);
        std::string row;
        AppendCsvRow(row, CObjData(c.value, c.time, c.unit, 0, 1.0, c.milli));
        EXPECT_EQ(row, c.row);
    }
    if (!m_bCommaLocale)
        std::printf("no comma-decimal locale installed: rows checked in the C locale only\n");
}

TEST_F(CsvExportTest, WritesHeaderAndEveryRowInBlocksAndNamesTheFileThatFailed)
{
    CTempDir dir;
    const std::string path = dir.Path("levels.csv");
    // Enough records to need several blocks.
    CRecordStore store;
    std::string expected(CsvHeader());
    for (int i = 0; i < 5000; ++i) {
        char time[32];
        std::snprintf(time, sizeof time, "08-12-2026,%.2d:%.2d:%.2d", i / 3600, i / 60 % 60, i % 60);
        CObjData record(30 + i % 1000 / 10.0, time, i % 2 ? "dBC" : "dBA", 0, 1.0);
        AppendCsvRow(expected, record);
        store.Add(CObjData(record));
    }
    const std::string start = "time,level_db,weighting,local_time\r\n2026-12-08T00:00:00.000+01:00,30.00,A,2026-12-08T00:00:00.000\r\n";
    EXPECT_EQ(expected.substr(0, start.size()), start);
    ASSERT_TRUE(WriteCsv(path, store).ok);
    EXPECT_EQ(CTempDir::Read(path), expected);

    // No records: the header alone.
    ASSERT_TRUE(WriteCsv(path, CRecordStore()).ok);
    EXPECT_EQ(CTempDir::Read(path), CsvHeader());

    const SFileResult failed = WriteCsv(dir.Path("missing/levels.csv"), store);
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find("missing/levels.csv"), std::string::npos) << failed.message;
}

// The three writers (data text file, spreadsheet export, CSV) read records
// field by field and reuse the time text of the record before; their bytes
// must be those of printf's formats applied to each record as it was added.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "TempDir.h"
#include "common/Text.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"

using namespace sonivel;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Times in order with every kind of change between neighbours: the same
// second in another style, second, minute, hour, day, month and year
// rollovers, a leap day, texts the store keeps whole in between, and
// milliseconds that differ within a second.
const std::vector<CObjData>& Records()
{
    static const std::vector<CObjData> records = {
        {65.3, "31-12-1999,23:59:59", "dBA", 2, 0.1, 0},
        {kNaN, "31-12-1999,23:59:59", "dBA", 2, 0.1, 0},
        {-kNaN, "01-01-2000,00:00:00", "dBC", 2, 0.1, 0},
        {kInf, "01-01-2000,0:00:00", "dBC", 2, 0.1, 0},
        {-kInf, "01-01-2000,00:00:00", "dBC", 2, 0.1, 0},
        {-0.0, "29-02-2000,9:59:59", "dBA", 3, 1.0, 0},
        {1e308, "29-02-2000,10:00:00", "dBA", 3, 1.0, 0},
        {0.005, "01-03-2000,00:00:00", "dBA", 3, 1.0, 0},
        {99.995, "not a time", "dBA", 3, 1.0, 0},
        {2.675, "01-03-2000,00:00:00", "dBA", 3, 1.0, 0},
        {-0.004, "01-03-2000,00:01:00", "dBZ", 0, 0.5, 0},
        {1e-320, "01-03-2000,01:00:00", "dBZ", 0, 0.5, 0},
        {-1234.5678, "", "dBA", 0, 0.5, 0},
        {104.25, "15-06-2021,12:00:00", "dBA", 0, 0.5, 500},
        {5.3, "15-06-2021,12:00:00", "dBA", 0, 0.5, 0},
        {1e15, "15-06-2021,12:00:00", "dBA", 0, 0.5, 0},
        {63.5, "15-06-2021,2:00:01", "dBC", 0, 0.5, 999},
        {63.5, "32-13-2021,25:61:61", "dBC", 0, 0.5, 0},
    };
    return records;
}

std::string DataLine(const CObjData& r)
{
    return Format("%s, %5.2f, %s\r\n", r.m_strTime.c_str(), r.m_dValue, r.m_strUnit.c_str());
}

std::string ExportLine(std::size_t id, const CObjData& r)
{
    return Format("%zu\t%s\t%.2f\t%s\t\r\n", id, r.m_strUnit.c_str(), r.m_dValue, r.m_strTime.c_str());
}

std::string CsvLine(const CObjData& r)
{
    std::string line;
    AppendCsvRow(line, r);
    return line;
}

} // namespace

TEST(RecordWriters, BytesAreThoseOfEachRecordFormattedOnItsOwn)
{
    CRecordStore store;
    for (const CObjData& r : Records())
        store.Add(r);
    CRecordSelection everyOther;   // a data-logger group's view of the store
    for (std::size_t i = 1; i < store.GetSize(); i += 2)
        everyOther.Add(store, i);
    const SStatBlock block{{}, 0.0, 0.1};

    struct SCase {
        const char* name;
        const CRecordList* list;
        std::vector<CObjData> records;
    } cases[] = {{"store", &store, Records()}, {"selection", &everyOther, {}}};
    for (std::size_t i = 1; i < Records().size(); i += 2)
        cases[1].records.push_back(Records()[i]);

    CTempDir dir;
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string data = Format("DECIVOX DATA LOGGER SamplingRate:%2.1f;\r\n", c.records[0].m_dSampleRate);
        std::string sheet = FormatExportHead(block, EExportSource::MainView);
        std::string csv(CsvHeader());
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            data += DataLine(c.records[i]);
            sheet += ExportLine(i + 1, c.records[i]);
            csv += CsvLine(c.records[i]);
        }
        EXPECT_EQ(FormatDataFile(*c.list), data);
        EXPECT_EQ(FormatExport(*c.list, block, EExportSource::MainView), sheet);

        ASSERT_TRUE(WriteDataFile(dir.Path("data.txt"), *c.list).ok);
        EXPECT_EQ(CTempDir::Read(dir.Path("data.txt")), data);
        ASSERT_TRUE(WriteExport(dir.Path("sheet.xls"), *c.list, block, EExportSource::MainView).ok);
        EXPECT_EQ(CTempDir::Read(dir.Path("sheet.xls")), sheet);
        ASSERT_TRUE(WriteCsv(dir.Path("run.csv"), *c.list).ok);
        EXPECT_EQ(CTempDir::Read(dir.Path("run.csv")), csv);
    }
}

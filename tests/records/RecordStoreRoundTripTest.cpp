#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cstdint>
#include <limits>
#include <vector>

#include "records/RecordList.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

void ExpectSame(const CObjData& is, const CObjData& was, std::size_t i)
{
    EXPECT_TRUE(SameBits(is.m_dValue, was.m_dValue)) << i << ": " << is.m_dValue << " for " << was.m_dValue;
    EXPECT_EQ(is.m_strTime, was.m_strTime) << i;
    EXPECT_EQ(is.m_strUnit, was.m_strUnit) << i;
    EXPECT_EQ(is.m_nGroup, was.m_nGroup) << i;
    EXPECT_TRUE(SameBits(is.m_dSampleRate, was.m_dSampleRate)) << i << ": " << is.m_dSampleRate;
    EXPECT_EQ(is.m_nMilli, was.m_nMilli) << i;
}

} // namespace

// What a store gives back is what was added, byte for byte and bit for bit,
// whether a time text has a number or is kept whole; a snapshot and the place
// of a record stay put while a million more records come.
TEST(RecordStore, GivesBackEveryRecordAsAddedWhileItGrows)
{
    const std::vector<CObjData> table = {
        // Times a monitoring run and the data logger make, across years, months and midnight.
        {65.3, "05-12-2011,14:03:07", "dBA", 0, 0.1, 0},
        {5.3, "05-12-2011,9:03:07", "dBC", 3, 10.0, 0},
        {40.0, "29-02-2024,23:59:59", "dBA", 1, 60.0, 999},
        {40.1, "01-01-1970,00:00:00", "dBA", 0, 0.5, 1},
        {40.2, "31-12-1969,0:00:00", "dBC", 7, 1.0, 500},
        {40.3, "01-03-9999,10:00:00", "dBA", 0, 0.2, 0},
        {40.4, "15-06-1000,12:34:56", "dBA", 0, 0.2, 0},
        // Texts without a number: kept whole.
        {60.0, "31-02-2021,10:00:00", "dBA", 0, 1.0, 0},
        {60.0, "05-12-2011,24:00:00", "dBA", 0, 1.0, 0},
        {60.0, "05-12-2011,09:3:07", "dBA", 0, 1.0, 0},
        {60.0, "05-12-0999,10:00:00", "dBA", 0, 1.0, 0},
        {60.0, "5-12-2011,10:00:00", "dBA", 0, 1.0, 0},
        {60.0, "a,1", "B(A)", 0, 1.0, 0},
        {60.0, "", "", 0, 1.0, 0},
        {60.0, "05-12-2011,14:03:07 ", "dBA", 0, 1.0, 0},
        // Levels as imported lines may hold them, and odd intervals and groups.
        {kNaN, "05-12-2011,14:03:08", "dBA", 0, 0.1, 0},
        {kInf, "05-12-2011,14:03:09", "dBA", 0, 0.1, 0},
        {-kInf, "05-12-2011,14:03:10", "dBA", 0, 0.1, 0},
        {1e308, "05-12-2011,14:03:11", "dBA", 0, 0.1, 0},
        {-0.0, "05-12-2011,14:03:12", "dBA", 0, 0.1, 0},
        {4.9e-324, "05-12-2011,14:03:13", "dBA", 0, 0.1, 0},
        {104.25, "05-12-2011,14:03:14", "dBC", INT_MAX, 1.0 / 3.0, 0},
        {104.26, "05-12-2011,14:03:15", "dBC", INT_MIN, kNaN, -1},
        {104.27, "05-12-2011,14:03:16", "dBC", -1, 0.0, 0},
        {104.28, "05-12-2011,14:03:17", "dBC", 2, -9.0, 0},
    };
    CRecordStore store;
    for (const CObjData& r : table)
        store.Add(r);
    ASSERT_EQ(store.GetSize(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        ExpectSame(store.GetAt(i), table[i], i);
        EXPECT_TRUE(SameBits(store.LevelAt(i), table[i].m_dValue)) << i;
    }

    const CRecordSnapshot before = store.Snapshot();
    const void* const first = store.RecordKey(0);
    for (std::size_t i = 0; i < 1000000; ++i)
        store.Add(table[i % table.size()]);
    EXPECT_EQ(store.RecordKey(0), first);
    ASSERT_EQ(before.GetSize(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        ExpectSame(before.GetAt(i), table[i], i);
    for (const std::size_t i : {std::size_t{0}, std::size_t{16383}, std::size_t{16384}, std::size_t{65536}, std::size_t{999999}})
        ExpectSame(store.GetAt(table.size() + i), table[i % table.size()], table.size() + i);

    CRecordStore moved;
    moved.Replace(std::move(store));
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_EQ(moved.GetSize(), table.size() + 1000000);
    EXPECT_EQ(moved.RecordKey(0), first);
    moved.RemoveAll();
    EXPECT_TRUE(moved.IsEmpty());
}

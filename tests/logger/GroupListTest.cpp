// The data-logger window's pure logic: rows of the group list, the records
// of a selected group and their statistics, the rate entry.
#include <gtest/gtest.h>

#include "logger/GroupList.h"
#include "logger/GroupStats.h"
#include "LoggerRecords.h"

using namespace sonivel;
using loggertest::AddGroup;

TEST(GroupRows, OneRowPerGroupWithItsCountAndFirstRecord)
{
    CRecordStore store;
    AddGroup(store, 1, 100, 60.0, 1.0, "dBA", 0);
    AddGroup(store, 2, 1, 70.0, 0.5, "dBC", 10);
    AddGroup(store, 3, 5000, 80.0, 10.0, "dBA", 20);
    const auto rows = BuildGroupRows(store);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].nCount, 100u);
    EXPECT_EQ(rows[1].nCount, 1u);
    EXPECT_EQ(rows[2].nCount, 5000u);
    const auto texts = GroupRowTexts(rows[1]);
    EXPECT_EQ(texts[0], "2");
    EXPECT_EQ(texts[1], "05-12-2011,9:10:00");
    EXPECT_EQ(texts[2], "dBC");
    EXPECT_EQ(texts[3], "0.50");
    EXPECT_EQ(texts[4], "1");
    EXPECT_EQ(GroupRowTexts(rows[2])[3], "10.00");
}

TEST(GroupRows, EmptyStoreAndGroupNumbersOutsideTheUsualRange)
{
    CRecordStore store;
    EXPECT_TRUE(BuildGroupRows(store).empty());
    // A first record whose group is -1 still starts a row of its own.
    AddGroup(store, -1, 2);
    AddGroup(store, 0, 3);
    const auto rows = BuildGroupRows(store);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(GroupRowTexts(rows[0])[0], "-1");
    EXPECT_EQ(rows[0].nCount, 2u);
    EXPECT_EQ(rows[1].nCount, 3u);
}

TEST(GroupRows, RepeatedGroupNumberInTwoRunsGivesTwoRowsButOneSelection)
{
    CRecordStore store;
    AddGroup(store, 1, 3, 50.0);
    AddGroup(store, 2, 2, 60.0);
    AddGroup(store, 1, 4, 70.0);
    const auto rows = BuildGroupRows(store);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].nGroup, 1);
    EXPECT_EQ(rows[2].nGroup, 1);
    EXPECT_EQ(rows[0].nCount, 3u);
    EXPECT_EQ(rows[2].nCount, 4u);

    CRecordSelection sel;
    AddGroup(store, 9, 1);   // a leftover selection is replaced, not extended
    sel.Add(store, store.GetSize() - 1);
    SelectGroup(store, 1, sel);
    ASSERT_EQ(sel.GetSize(), 7u);
    EXPECT_DOUBLE_EQ(sel.GetAt(0).m_dValue, 50.0);
    EXPECT_DOUBLE_EQ(sel.GetAt(3).m_dValue, 70.0);   // store order: the second run follows
    SelectGroup(store, 42, sel);
    EXPECT_TRUE(sel.IsEmpty());
}

namespace {

CRecordStore Levels(std::initializer_list<double> levels, double rate = 1.0)
{
    CRecordStore store;
    int i = 0;
    for (double v : levels) {
        store.Add(CObjData(v, Format("05-12-2011,9:00:%.2d", i), i % 2 ? "dBC" : "dBA", 1, rate));
        ++i;
    }
    return store;
}

} // namespace

TEST(GroupStatistics, MaximumMinimumAverageTimesAndUnits)
{
    const CRecordStore g = Levels({65.0, 80.5, 40.0, 80.5, 40.0}, 2.5);
    const SGroupStats s = ComputeGroupStats(g);
    EXPECT_EQ(s.nCount, 5u);
    EXPECT_DOUBLE_EQ(s.block.stats.dMax, 80.5);
    EXPECT_EQ(s.block.stats.strMaxTime, "05-12-2011,9:00:01");   // the first of equal maxima
    EXPECT_EQ(s.block.stats.strMaxUnit, "dBC");
    EXPECT_DOUBLE_EQ(s.block.stats.dMin, 40.0);
    EXPECT_EQ(s.block.stats.strMinTime, "05-12-2011,9:00:02");
    EXPECT_EQ(s.block.stats.strMinUnit, "dBA");
    EXPECT_DOUBLE_EQ(s.block.dSum, 306.0);
    EXPECT_DOUBLE_EQ(s.block.stats.dAverage, 306.0 / 5);
    EXPECT_EQ(s.block.stats.strStartTime, "05-12-2011,9:00:00");
    EXPECT_DOUBLE_EQ(s.block.dSampleRate, 2.5);
}

TEST(GroupStatistics, StartValuesSurviveLevelsThatNeverBeatThem)
{
    // All above 130 dB: the minimum stays 130.0 with no time.
    SGroupStats s = ComputeGroupStats(Levels({131.0, 135.5}));
    EXPECT_DOUBLE_EQ(s.block.stats.dMin, 130.0);
    EXPECT_EQ(s.block.stats.strMinTime, "");
    EXPECT_DOUBLE_EQ(s.block.stats.dMax, 135.5);
    // Exactly 130.0 is not strictly less.
    s = ComputeGroupStats(Levels({130.0}));
    EXPECT_EQ(s.block.stats.strMinTime, "");
    // All zero: the maximum stays 0.0 with no time.
    s = ComputeGroupStats(Levels({0.0, 0.0}));
    EXPECT_DOUBLE_EQ(s.block.stats.dMax, 0.0);
    EXPECT_EQ(s.block.stats.strMaxTime, "");
    EXPECT_EQ(s.block.stats.strMinTime, "05-12-2011,9:00:00");
    // No records: no division by zero, nothing read.
    s = ComputeGroupStats(CRecordStore{});
    EXPECT_EQ(s.nCount, 0u);
    EXPECT_DOUBLE_EQ(s.block.stats.dAverage, 0.0);
    EXPECT_EQ(s.block.stats.strStartTime, "");
}

TEST(RateEntry, MatchesTheTenEntriesByTheirOneDecimalText)
{
    const double rates[] = {0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 5.0, 10.0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(RateEntryIndex(rates[i]), i) << rates[i];
    EXPECT_EQ(RateEntryIndex(1.04), 3);     // "1.0"
    EXPECT_EQ(RateEntryIndex(4.0), -1);
    EXPECT_EQ(RateEntryIndex(0.0), -1);
    EXPECT_EQ(RateEntryIndex(99.0), -1);
    EXPECT_EQ(RateEntryIndex(-1.0), -1);
}

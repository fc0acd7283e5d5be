#include <gtest/gtest.h>

#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace {

CObjData Rec(double v, const char* t, const char* unit = "dBA")
{
    return CObjData(v, t, unit, 0, 1.0);
}

// Appends to the store and accounts for the record, as the sampling tick does.
void Append(CRecordStore& store, CRunningStats& stats, double v, const char* t, const char* unit = "dBA")
{
    const CObjData r = Rec(v, t, unit);
    store.Add(r);
    stats.Account(r, store.GetAt(0), store.GetSize());
}

} // namespace

TEST(RunningStats, EmptyStoreShowsTheResetValues)
{
    CRunningStats stats;
    stats.Reset();
    EXPECT_EQ(stats.Count(), 0u);
    EXPECT_EQ(stats.Stats().dMax, 0.0);
    EXPECT_EQ(stats.Stats().dMin, 150.0);
    EXPECT_EQ(stats.Stats().dAverage, 0.0);
    EXPECT_TRUE(stats.Stats().strStartTime.empty());
    EXPECT_TRUE(stats.Stats().strMaxTime.empty());
    EXPECT_TRUE(stats.Stats().strMinTime.empty());
}

TEST(RunningStats, EqualValuesKeepTheFirstTimesAndTheAverageIsTheMean)
{
    CRecordStore store;
    CRunningStats stats;
    Append(store, stats, 60.0, "t1");
    Append(store, stats, 60.0, "t2");
    Append(store, stats, 70.0, "t3", "dBC");
    Append(store, stats, 50.0, "t4");
    EXPECT_EQ(stats.Stats().strStartTime, "t1");
    EXPECT_EQ(stats.Stats().dMax, 70.0);
    EXPECT_EQ(stats.Stats().strMaxTime, "t3");
    EXPECT_EQ(stats.Stats().strMaxUnit, "dBC");
    EXPECT_EQ(stats.Stats().dMin, 50.0);
    EXPECT_EQ(stats.Stats().strMinTime, "t4");
    EXPECT_DOUBLE_EQ(stats.Stats().dAverage, 60.0);
    EXPECT_DOUBLE_EQ(stats.Sum(), 240.0);

    CRecordStore same;
    CRunningStats s2;
    Append(same, s2, 60.0, "a");
    Append(same, s2, 60.0, "b");
    EXPECT_EQ(s2.Stats().strMaxTime, "a");
    EXPECT_EQ(s2.Stats().strMinTime, "a");
}

TEST(RunningStats, ExtremeFirstValuesAfterAReset)
{
    CRecordStore store;
    CRunningStats stats;
    Append(store, stats, 151.0, "hi");
    EXPECT_EQ(stats.Stats().dMax, 151.0);
    EXPECT_EQ(stats.Stats().dMin, 150.0);
    EXPECT_TRUE(stats.Stats().strMinTime.empty());

    store.RemoveAll();
    stats.Reset();
    Append(store, stats, 0.0, "zero");
    EXPECT_EQ(stats.Stats().dMin, 0.0);
    EXPECT_EQ(stats.Stats().dMax, 0.0);
    EXPECT_TRUE(stats.Stats().strMaxTime.empty());
}

TEST(RecordStore, EmptyingDeletesEveryRecord)
{
    CRecordStore store;
    for (int i = 0; i < 40000; ++i)
        store.Add(Rec(i * 0.1, "t"));
    EXPECT_EQ(store.GetSize(), 40000u);
    EXPECT_DOUBLE_EQ(store.GetAt(39999).m_dValue, 3999.9);
    store.RemoveAll();
    EXPECT_EQ(store.GetSize(), 0u);
    EXPECT_TRUE(store.IsEmpty());
}

TEST(RecordSelection, RefersToRecordsWithoutOwningThem)
{
    CRecordStore store;
    store.Add(Rec(1, "a"));
    store.Add(Rec(2, "b"));
    CRecordSelection sel;
    sel.Add(store, 1);
    ASSERT_EQ(sel.GetSize(), 1u);
    EXPECT_EQ(sel.RecordKey(0), store.RecordKey(1));
    EXPECT_EQ(sel.GetAt(0).m_strTime, "b");
    sel.RemoveAll();
    EXPECT_EQ(store.GetSize(), 2u);
}

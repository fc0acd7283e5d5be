// Levels far outside the meter's range, read from a real data text file,
// drawn by the real chart control, measured between cursors, scrolled and
// printed. The sanitizer build is what checks this test: no step may overflow
// or convert an out-of-range value.
#include <QFile>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "files/DataFile.h"
#include "files/Printing.h"
#include "graph/CursorStats.h"
#include "monitor/Statistics.h"
#include "support/ScriptedDialogs.h"

using namespace sonivel;
using namespace graphtest;

namespace {

const char* const kLevels[] = {"60.00", "1e10", "60.00", "-1e10", "inf", "60.00", "nan", "-inf", "1e308", "60.00"};

// A data file of the levels above, repeated, one record per second.
QByteArray ExtremeFile()
{
    QByteArray file = "DECIVOX DATA LOGGER SamplingRate:1.0;\r\n";
    for (int i = 0; i < 40; ++i)
        file += QByteArray("01-03-2021,00:00:") + QByteArray::number(10 + i) + ", " + kLevels[i % 10] + ", dBA\r\n";
    return file;
}

void PrintOnPage(const SChartState& chart, const CRecordList& records, const SStatBlock& stats)
{
    QImage page(1240, 1754, QImage::Format_RGB32);   // A4 at 150 dpi
    page.fill(Qt::white);
    QPainter p(&page);
    EXPECT_TRUE(PrintGraphPage(p, GraphPageGeometry(chart, page.width(), page.height()), chart, records, stats));
}

} // namespace

TEST(ExtremeLevels, FileLevelsBeyondAnyRangeAreDrawnMeasuredAndPrinted)
{
    CTempConfig config;
    testsupport::CScriptedDialogs dialogs;
    QFile file(config.Path() + "/extreme.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ExtremeFile());
    file.close();

    SDataFileRead read = ReadDataFile(file.fileName().toStdString());
    ASSERT_EQ(read.status, SDataFileRead::EStatus::Ok);
    ASSERT_EQ(read.records.GetSize(), 40u);
    EXPECT_EQ(read.records.GetAt(1).m_dValue, 1e10);
    CRecordStore store;
    store.Replace(std::move(read.records));

    SStatBlock stats;
    CRunningStats running;
    for (std::size_t i = 0; i < store.GetSize(); ++i)
        running.Account(store.GetAt(i), store.GetAt(0), i + 1);
    stats.stats = running.Stats();
    stats.dSum = running.Sum();
    stats.dSampleRate = 1.0;
    EXPECT_EQ(stats.stats.dMax, HUGE_VAL);

    CGraphicsBtn chart;
    chart.resize(600, 400);
    chart.show();
    chart.Redraw(&store, 1);
    // The ordinary levels still show where they belong.
    const int row60 = LevelToRow(chart, 60.0);
    EXPECT_EQ(chart.Picture().pixel(IndexToColumn(chart, 0) + 1, row60), ToRgb(SChartColors{}.line));
    PrintOnPage(chart, store, stats);

    // Zoomed onto a few records, both axes, with the markers shown.
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&chart, QPoint(160, 300));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(160, 300));
    ASSERT_TRUE(chart.m_bZoomed);
    ASSERT_TRUE(MarkersShown(chart));
    chart.SetPlainSeries(true);
    chart.Redraw(&store, 1);
    chart.SetPlainSeries(false);
    chart.Redraw(&store, 1);
    PrintOnPage(chart, store, stats);

    // Cursors over the whole list and the pointer over every column.
    chart.ResetView();
    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(50, 100));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(IndexToColumn(chart, 0) + 1, 100));
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(IndexToColumn(chart, 39), 100));
    EXPECT_EQ(chart.m_nCursorA, 0);
    EXPECT_EQ(chart.m_nCursorB, 39);
    for (int x = 40; x < 600; x += 7)
        QTest::mouseMove(&chart, QPoint(x, 200));
    const SCursorStats between = StatsBetween(store, chart.m_nCursorA, chart.m_nCursorB);
    EXPECT_EQ(between.count, 40);
    EXPECT_EQ(between.max, HUGE_VAL);
    EXPECT_EQ(between.min, -HUGE_VAL);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
}

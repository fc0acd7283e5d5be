#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "support/ScriptedDialogs.h"
#include "GraphTestData.h"
#include "graph/ChartLabels.h"
#include <QDir>
#include <QFile>

using namespace sonivel;
using namespace graphtest;
using testsupport::CScriptedDialogs;

namespace {

// A shown chart of 400 x 300 pixels: plot 310 x 270 at (45, 10).
class ChartTest : public ::testing::Test {
protected:
    ChartTest()
    {
        chart = std::make_unique<CGraphicsBtn>();
        chart->resize(400, 300);
        chart->show();
        EXPECT_EQ(chart->m_nW, 310);
        EXPECT_EQ(chart->m_nH, 270);
    }
    QRgb Px(int x, int y) const { return chart->Picture().pixel(x, y); }
    bool IsGridColumn(int x) const
    {
        for (int i = 0; i <= 20; ++i)
            if (x == static_cast<int>(chart->m_nW * i / 20.0 + 45))
                return true;
        return false;
    }
    // Pixels of colour c in column x between rows y0 and y1 inclusive.
    int CountInColumn(int x, int y0, int y1, QRgb c) const
    {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            n += Px(x, y) == c;
        return n;
    }

    CTempConfig config;   // no colour file: the default colours
    CScriptedDialogs dialogs;
    std::unique_ptr<CGraphicsBtn> chart;
};

} // namespace

TEST_F(ChartTest, EmptyListDrawsBackgroundGridLabelsAndAxes)
{
    chart->Redraw(nullptr, 1);
    const QImage& img = chart->Picture();
    ASSERT_EQ(img.size(), QSize(400, 300));
    EXPECT_EQ(Px(52, 240), ToRgb(SChartColors{}.background));
    EXPECT_EQ(Px(5, 5), kMargin);
    EXPECT_EQ(Px(390, 100), kMargin);
    EXPECT_EQ(Px(75, 283), kMargin);

    const QRgb grid = ToRgb(SChartColors{}.grid);
    for (int i = 1; i < 20; ++i) {   // dotted: some pixels of every column in the grid colour
        const int x = static_cast<int>(310 * i / 20.0 + 45);
        EXPECT_GT(CountInColumn(x, 11, 279, grid), 50) << x;
        EXPECT_LT(CountInColumn(x, 11, 279, grid), 200) << x;
    }
    EXPECT_EQ(Px(45, 100), qRgb(100, 0, 100));   // vertical axis over the first grid column
    EXPECT_EQ(Px(50, LevelRow(*chart, 3)), qRgb(100, 0, 100));   // tick
    EXPECT_EQ(Px(100, 280), qRgb(0, 0, 0));       // time axis

    // Some ink left of each level label row, in the margin.
    for (int r = 0; r <= 10; ++r) {
        bool ink = false;
        for (int x = 0; x < 43 && !ink; ++x)
            for (int y = LevelRow(*chart, r) - 4; y <= LevelRow(*chart, r) + 4 && !ink; ++y)
                ink = y >= 0 && qGray(Px(x, y)) < 100;
        EXPECT_TRUE(ink) << r;
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ChartTest, SeriesPixelsLieWhereTheArithmeticPutsThem)
{
    auto store = MakeStore(2000, [](std::size_t) { return 60.0; });
    chart->Redraw(store.get(), 1);
    const QRgb line = ToRgb(SChartColors{}.line);
    const int row = LevelToRow(*chart, 60.0);
    int checked = 0;
    for (int x = 46; x < IndexToColumn(*chart, 1999); ++x) {
        if (IsGridColumn(x))
            continue;
        EXPECT_EQ(Px(x, row), line) << x;
        EXPECT_NE(Px(x, row - 1), line) << x;   // no markers at 0.2 pixels per sample
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

TEST_F(ChartTest, MarkersOnlyAboveThreePixelsPerSample)
{
    auto store = MakeStore(21, [](std::size_t) { return 60.0; });   // 15.5 pixels per sample
    chart->Redraw(store.get(), 1);
    const QRgb line = ToRgb(SChartColors{}.line);
    const int row = LevelToRow(*chart, 60.0);
    const int x = IndexToColumn(*chart, 7) + 1;   // beside the grid column the sample sits on
    EXPECT_EQ(Px(x, row - 1), line);
    EXPECT_EQ(Px(x, row + 1), line);

    chart->ResetView();
    chart->m_dXScale = 0.5;   // two pixels per sample
    chart->Redraw(store.get(), 1);
    const int x2 = IndexToColumn(*chart, 7);
    EXPECT_EQ(Px(x2, row), line);
    EXPECT_NE(Px(x2, row - 1), line);
}

TEST_F(ChartTest, OneRecordDrawsNothingButTheFrame)
{
    auto store = MakeStore(1, [](std::size_t) { return 60.0; });
    chart->Redraw(store.get(), 1);
    const QRgb line = ToRgb(SChartColors{}.line);
    EXPECT_EQ(CountInColumn(45, 0, 299, line) + CountInColumn(46, 0, 299, line), 0);
}

TEST_F(ChartTest, MarginsCoverWhatLiesOutsideThePlot)
{
    // Levels above the top, records left of the zoomed view, cursors outside.
    auto store = MakeStore(400, [](std::size_t i) { return i % 2 ? 200.0 : -50.0; });
    chart->m_bZoomed = true;
    chart->m_dXOffset = 100;
    chart->m_dXScale = 0.5;
    chart->m_nCursorA = 50;     // left of the view
    chart->m_nCursorB = 390;    // right of it
    chart->Redraw(store.get(), 1);
    for (int x = 45; x < 400; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_EQ(Px(x, y), kMargin) << x << "," << y;
    for (int x = 356; x < 400; ++x)   // the last grid column lies on the plot edge
        for (int y = 11; y < 275; ++y)   // below: the last time tick
            ASSERT_EQ(Px(x, y), kMargin) << x << "," << y;
    for (int y = 11; y < 275; ++y)   // left margin beside the labels
        ASSERT_EQ(Px(44, y), kMargin) << y;
    // Inside the plot the series does show.
    EXPECT_GT(CountInColumn(201, 11, 279, ToRgb(SChartColors{}.line)), 100);
}

TEST_F(ChartTest, CursorLinesAreDrawnInTheirColours)
{
    auto store = MakeStore(21, [](std::size_t) { return 60.0; });
    chart->m_nCursorA = 4;
    chart->m_nCursorB = 10;
    chart->Redraw(store.get(), 1);
    // Two pixels wide; the samples sit on grid columns, which lie over them.
    const auto hasColour = [&](int column, QRgb c) {
        return Px(column - 1, 100) == c || Px(column + 1, 100) == c;
    };
    EXPECT_TRUE(hasColour(CursorColumn(*chart, 4), qRgb(110, 30, 200)));
    EXPECT_TRUE(hasColour(CursorColumn(*chart, 10), qRgb(0, 255, 0)));
    EXPECT_FALSE(hasColour(CursorColumn(*chart, 7), qRgb(0, 255, 0)));
}

TEST_F(ChartTest, ScaleNoticeOnFirstRedrawThenOnlyFromFitSteps)
{
    CGraphicsBtn fresh;
    SetInitialView(fresh, 400, 300);
    QSignalSpy spy(&fresh, &CGraphicsBtn::scaleNotice);
    CRecordStore empty;
    fresh.Redraw(&empty, 1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), static_cast<quint32>(130.0 / 270 * 10000));
    fresh.Redraw(&empty, 1);
    EXPECT_EQ(spy.count(), 1);
    auto store = MakeStore(23, Constant65);   // two steps of 16/15
    fresh.Redraw(store.get(), 1);
    EXPECT_EQ(spy.count(), 3);
}

TEST_F(ChartTest, UnreadableTimeIsReportedAndTheChartStillShown)
{
    CRecordStore store;
    for (int i = 0; i < 5; ++i)
        store.Add(CObjData(60, "31-02-2021,10:00:00", "dBA", 0, 1.0));
    chart->Redraw(&store, 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], QStringLiteral("Kova: Time Format is wrong!"));
    EXPECT_EQ(Px(5, 5), kMargin);
    EXPECT_EQ(Px(IndexToColumn(*chart, 2) + 1, LevelToRow(*chart, 60)), ToRgb(SChartColors{}.line));
}

TEST_F(ChartTest, UnreadableTimeIsReportedOncePerRecordList)
{
    const auto badStore = [](std::size_t n) {
        auto store = std::make_unique<CRecordStore>();
        for (std::size_t i = 0; i < n; ++i)
            store->Add(CObjData(60, "31-02-2021,10:00:00", "dBA", 0, 1.0));
        return store;
    };
    auto store = badStore(5);
    chart->Redraw(store.get(), 1);
    // Placing a cursor redraws at every pointer move.
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, QPoint(100, 100));
    for (int k = 0; k < 10; ++k)
        QTest::mouseMove(chart.get(), QPoint(110 + 10 * k, 120));
    chart->Redraw(store.get(), 1);
    EXPECT_EQ(dialogs.messages.size(), 1);

    // Another list, and the same store emptied and filled again, are new lists.
    auto other = badStore(6);
    chart->Redraw(other.get(), 1);
    chart->Redraw(other.get(), 1);
    EXPECT_EQ(dialogs.messages.size(), 2);
    store->RemoveAll();
    chart->Redraw(store.get(), 1);
    for (int i = 0; i < 5; ++i)
        store->Add(CObjData(60, "31-02-2021,10:00:00", "dBA", 0, 1.0));
    chart->Redraw(store.get(), 1);
    chart->Redraw(store.get(), 1);
    EXPECT_EQ(dialogs.messages.size(), 3);
}

TEST_F(ChartTest, PointerMovesRepaintOnlyWhatMovesOverTheChart)
{
    auto store = MakeStore(2000, Sine);
    chart->Redraw(store.get(), 1);
    // What the window shows after the repaints the moves asked for (only the
    // regions they named are painted), against the picture composed whole.
    const auto shownIsWhole = [&](const char* what, int step) {
        QApplication::processEvents();
        const QImage shown = chart->screen()->grabWindow(chart->winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
        EXPECT_EQ(shown, chart->Picture()) << what << " step " << step;
    };

    // Cursor A placed, B followed by the tracking line.
    QTest::mouseDClick(chart.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(chart.get(), Qt::LeftButton, {}, QPoint(120, 100));
    ASSERT_NE(chart->m_nCursorA, -1);
    ASSERT_EQ(chart->m_nCursorState, kCursorWaitB);
    shownIsWhole("cursor A", 0);
    int composes = chart->BaseComposeCount();
    for (int k = 0; k < 12; ++k) {
        QTest::mouseMove(chart.get(), QPoint(130 + 17 * k, 40 + 19 * k));
        shownIsWhole("placing B", k);
    }
    EXPECT_EQ(chart->BaseComposeCount(), composes);

    // Both cursors placed, then a zoom band dragged over them.
    QTest::mouseClick(chart.get(), Qt::LeftButton, {}, QPoint(300, 100));
    ASSERT_NE(chart->m_nCursorB, -1);
    shownIsWhole("cursor B", 0);
    composes = chart->BaseComposeCount();
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, QPoint(320, 250));
    for (int k = 0; k < 12; ++k) {
        QTest::mouseMove(chart.get(), QPoint(300 - 21 * k, 240 - 17 * k));
        shownIsWhole("dragging", k);
    }
    EXPECT_EQ(chart->BaseComposeCount(), composes);
}

TEST_F(ChartTest, DragZoomsAndShowsTheBandWhileDragging)
{
    auto store = MakeStore(200, Sine);
    chart->Redraw(store.get(), 1);
    QSignalSpy spy(chart.get(), &CGraphicsBtn::scaleNotice);
    const double xs = chart->m_dXScale;
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseMove(chart.get(), QPoint(250, 200));
    EXPECT_TRUE(chart->m_bBandShown);
    EXPECT_EQ(qGray(Px(175, 60)) < 60 || qGray(Px(176, 60)) < 60, true);   // dotted top edge
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, QPoint(250, 200));
    EXPECT_TRUE(chart->m_bZoomed);
    EXPECT_FALSE(chart->m_bBandShown);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_DOUBLE_EQ(chart->m_dXOffset, 55 * xs);
    EXPECT_DOUBLE_EQ(chart->m_dXScale, 150 * xs / 310);

    chart->ResetView();
    EXPECT_FALSE(chart->m_bZoomed);
    EXPECT_DOUBLE_EQ(chart->m_dXOffset, 0.0);
}

TEST_F(ChartTest, ClickMovingFivePixelsOrLessDoesNotZoom)
{
    auto store = MakeStore(200, Sine);
    chart->Redraw(store.get(), 1);
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseMove(chart.get(), QPoint(105, 200));
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, QPoint(105, 200));
    EXPECT_FALSE(chart->m_bZoomed);
    QTest::mousePress(chart.get(), Qt::LeftButton, {}, QPoint(100, 60));
    QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, QPoint(250, 65));
    EXPECT_FALSE(chart->m_bZoomed);
}

TEST(ChartColours, ReadFromTheSettingsFileAtConstruction)
{
    CTempConfig config;
    QDir().mkpath(config.Path() + "/Sonivel");
    QFile file(config.Path() + "/Sonivel/ColorConfig.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Kova_BKCOLOR]\r\nRVALUE=10\r\nGVALUE=20\r\nBVALUE=300\r\n");
    file.close();
    CGraphicsBtn chart;
    EXPECT_EQ(chart.m_clrBackground, Rgb(10, 20, 44));
    EXPECT_EQ(chart.m_clrGrid, SChartColors{}.grid);
    chart.resize(300, 200);
    chart.show();
    chart.Redraw(nullptr, 1);
    EXPECT_EQ(chart.Picture().pixel(52, 50), qRgb(10, 20, 44));
}

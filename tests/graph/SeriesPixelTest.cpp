#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "GraphTestData.h"
#include "graph/ChartMouse.h"
#include "graph/SeriesPainter.h"
#include <QPainter>

using namespace sonivel;
using namespace graphtest;

// The chart draws each pixel column's samples as one vertical line; the
// picture must be the one that one segment per neighbouring pair gives.
namespace {

struct SCase {
    const char* name;
    double (*shape)(std::size_t);
    std::size_t n;
};

// How many pixels differ between the merged and the per-segment drawing.
int DifferingPixels(CGraphicsBtn& chart, const CRecordList& records)
{
    chart.SetPlainSeries(true);
    chart.Redraw(&records, 1);
    const QImage plain = chart.Picture().copy();
    chart.SetPlainSeries(false);
    chart.Redraw(&records, 1);
    const QImage& merged = chart.Picture();
    int diff = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            diff += plain.pixel(x, y) != merged.pixel(x, y);
    return diff;
}

const SCase kCases[] = {
    {"constant", Constant65, 40000}, {"sine", Sine, 40000},   {"noise", Noise, 40000},
    {"saw", Saw, 7000},              {"spikes", Spikes, 40000}, {"noise-few", Noise, 900},
    {"sine-markers", Sine, 60},
};

} // namespace

TEST(SeriesPixels, MergedColumnsMatchPerSegmentDrawingInFitMode)
{
    CTempConfig config;
    for (QSize size : {QSize(1600, 800), QSize(517, 311)}) {
        for (const SCase& c : kCases) {
            CGraphicsBtn chart;
            chart.resize(size);
            chart.show();
            auto store = MakeStore(c.n, c.shape);
            EXPECT_EQ(DifferingPixels(chart, *store), 0) << c.name << " " << size.width();
        }
    }
}

TEST(SeriesPixels, MergedColumnsMatchPerSegmentDrawingWhenZoomed)
{
    CTempConfig config;
    for (const SCase& c : kCases) {
        CGraphicsBtn chart;
        chart.resize(900, 500);
        chart.show();
        auto store = MakeStore(c.n, c.shape);
        chart.Redraw(store.get(), 1);
        // Zoom into the middle of the series, both axes, as a drag would.
        chart.m_ptAnchor = {300, 100};
        chart.m_bDragging = true;
        OnLeftUp(chart, 700, 400);
        EXPECT_EQ(DifferingPixels(chart, *store), 0) << c.name;
        chart.m_dXOffset += 3.3;   // a fractional offset as after a follow step
        chart.m_dYOffset += 7.9;
        EXPECT_EQ(DifferingPixels(chart, *store), 0) << c.name << " shifted";
    }
}

TEST(SeriesPixels, PainterPathMatchesPerSegmentDrawing)
{
    // A painter with a clip cannot be written around: the merged drawing then
    // goes through the painter and must still give the same pixels.
    SChartState s;
    SetInitialView(s, 700, 400);
    auto store = MakeStore(9000, Noise);
    FitOrFollow(s, store->GetSize(), nullptr);
    const auto draw = [&](bool merged) {
        QImage image(700, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setClipRect(QRect(0, 0, 650, 390));
        DrawSeriesLine(p, s, *store, VisibleRange(s, store->GetSize()), Qt::blue, merged);
        return image;
    };
    EXPECT_EQ(draw(true), draw(false));
}

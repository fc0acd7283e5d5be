#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "GraphTestData.h"
#include "graph/ChartMouse.h"
#include "graph/SeriesPainter.h"
#include "support/ScriptedDialogs.h"
#include <QPainter>
#include <array>
#include <limits>

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

// Levels a data file can hold, sparse among ordinary ones, with a stretch of
// nothing but NaN and one of nothing but +inf.
double Extreme(std::size_t i)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    static const double kOdd[] = {60.0, 1e10, -1e10, kInf, -kInf, std::numeric_limits<double>::quiet_NaN(), 1e308};
    if (i >= 20000 && i < 20300)
        return kOdd[5];
    if (i >= 30000 && i < 30100)
        return kInf;
    return i % 997 == 0 ? kOdd[(i / 997) % 7] : Noise(i);
}

// A store whose records came by Replace, after it held others; two records a
// second, so that the times stay within a day.
std::unique_ptr<CRecordStore> ReplacedStore(std::size_t n, double (*shape)(std::size_t))
{
    auto store = MakeStore(n / 2, Saw, 0.5);
    CRecordStore records;
    for (std::size_t i = 0; i < n; ++i)
        records.Add(CObjData(shape(i), TimeText(static_cast<long>(i / 2)), "dBA", 0, 0.5));
    store->Replace(std::move(records));
    return store;
}

// Every call on the sink, in order: spans as (x, top, bottom, 0), lines as
// (ax, ay, bx, by) marked by a leading 1.
class CRecordingSink final : public ISeriesSink {
public:
    void Span(int x, int top, int bottom) override { calls.push_back({0, x, top, bottom, 0}); }
    void Line(SPoint a, SPoint b) override { calls.push_back({1, a.x, a.y, b.x, b.y}); }
    std::vector<std::array<int, 5>> calls;
};

const SCase kCases[] = {
    {"constant", Constant65, 40000}, {"sine", Sine, 40000},   {"noise", Noise, 40000},
    {"saw", Saw, 7000},              {"spikes", Spikes, 40000}, {"noise-few", Noise, 900},
    {"sine-markers", Sine, 60},      {"extreme", Extreme, 40000},
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

TEST(SeriesPixels, EnvelopeColumnsMatchPerSegmentDrawingAtEveryZoom)
{
    // From a fraction of a record per pixel to more than the largest envelope
    // cell per column, at whole and fractional offsets, with the level axis as
    // fitted and zoomed so that most levels fall outside the plot.
    CTempConfig config;
    testsupport::CScriptedDialogs dialogs;
    constexpr std::size_t n = 100000;
    for (auto shape : {Noise, Spikes, Extreme}) {
        const auto store = shape == Extreme ? ReplacedStore(n, shape) : MakeStore(n, shape, 0.5);
        ASSERT_EQ(store->Envelope()->Count(), n);
        CGraphicsBtn chart;
        chart.resize(700, 300);
        chart.show();
        chart.Redraw(store.get(), 1);
        const double fittedYs = chart.m_dYScale, fittedYo = chart.m_dYOffset;
        chart.m_bZoomed = true;
        for (double xs : {0.05, 0.7, 3.0, 17.0, 250.0, 5000.0, 70000.0}) {
            for (double xo : {0.0, 15.5, n / 3 + 0.3, n - 40.0}) {
                for (bool yZoomed : {false, true}) {
                    chart.m_dXScale = xs;
                    chart.m_dXOffset = xo;
                    chart.m_dYScale = yZoomed ? 0.02 : fittedYs;
                    chart.m_dYOffset = yZoomed ? 57.3 : fittedYo;
                    EXPECT_EQ(DifferingPixels(chart, *store), 0)
                        << (shape == Extreme ? "extreme" : shape == Noise ? "noise" : "spikes") << " xs " << xs
                        << " xo " << xo << (yZoomed ? " y zoomed" : "");
                }
            }
        }
    }
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
}

TEST(SeriesPixels, EnvelopeMergeMakesTheCallsOfTheRecordByRecordMerge)
{
    // Any state, including scales that put most records at the far pixel
    // limits and states whose pixels do not follow the order of the records
    // (which merge record by record), over ranges that start and end anywhere.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const auto store = MakeStore(70000, Extreme);
    for (double xs : {1e-9, 0.01, 0.7, 1.0, 3.3, 257.0, 1e5, 1e12, 0.0, -2.0}) {
        for (double xo : {-1e9, 12.5, kNaN}) {
            for (double ys : {0.17, 1e-12, 0.0}) {
                SChartState s;
                SetInitialView(s, 700, 400);
                s.m_dXScale = xs;
                s.m_dXOffset = xo;
                s.m_dYScale = ys;
                s.m_dYOffset = 41.5;
                for (SVisibleRange r : {SVisibleRange{17, 69999}, SVisibleRange{4097, 4099}, SVisibleRange{20100, 33333}}) {
                    CRecordingSink fromEnvelope, recordByRecord;
                    const CSeriesPoints point(s, *store);
                    MergeSeriesSegments(point, r, fromEnvelope);
                    MergeEveryRecord(point, r, recordByRecord);
                    EXPECT_TRUE(fromEnvelope.calls == recordByRecord.calls)
                        << "xs " << xs << " xo " << xo << " ys " << ys << " from " << r.first << " to " << r.last;
                }
            }
        }
    }
}

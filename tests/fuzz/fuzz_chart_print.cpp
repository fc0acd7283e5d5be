// Reads arbitrary bytes as a data text file and puts its records through all
// that the chart and the printouts compute from them: statistics, fit and
// zoom, scrolling, the series pixels, the time and level labels, the printed
// graph page and the data table's layout with the placement of their texts.
// The last bytes of the input choose the view (control and page size, zoom
// rectangles, scroll requests, cursors); the rest is the file, given the usual
// header when it has none, so that any bytes become records.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "files/DataFile.h"
#include "files/PrintLayout.h"
#include "files/PrintPlacement.h"
#include "graph/ChartLabels.h"
#include "graph/ChartMouse.h"
#include "graph/ChartScroll.h"
#include "graph/CursorStats.h"
#include "graph/SeriesGeometry.h"
#include "graph/TimeAxis.h"
#include "monitor/Statistics.h"

using namespace sonivel;

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

bool Near(int v)
{
    return v >= -kFarPixel && v <= kFarPixel;
}

bool Near(SPoint p)
{
    return Near(p.x) && Near(p.y);
}

// The merged series drawing's output: every pixel near the picture, spans
// from top to bottom.
class CCheckingSink final : public ISeriesSink {
public:
    void Span(int x, int top, int bottom) override { Check(Near(x) && Near(top) && Near(bottom) && top <= bottom); }
    void Line(SPoint a, SPoint b) override { Check(Near(a) && Near(b) && a.x != b.x); }
};

// Labels increase from left to right past the last record (at a rate that
// does not run backwards).
void CheckTimeAxis(const SChartState& s, const CRecordList& records)
{
    const STimeAxis axis = TimeAxisLabels(s, records);
    Check(axis.failed ? axis.count < 6 : axis.count == 6);
    const std::size_t n = records.GetSize();
    if (n == 0 || !(s.m_dXScale > 0) || !(records.GetAt(n - 1).m_dSampleRate >= 0))
        return;
    for (int t = 1; t < axis.count; ++t) {
        if (ColumnToIndex(s, TimeTickColumn(s, t - 1)) < static_cast<long long>(n))
            continue;
        const auto before = ParseDateTime(axis.ticks[t - 1].full);
        const auto after = ParseDateTime(axis.ticks[t].full);
        if (before && after)
            Check(*before <= *after);
    }
}

void CheckChart(const SChartState& s, const CRecordList& records)
{
    const std::size_t n = records.GetSize();
    const SVisibleRange range = VisibleRange(s, n);
    Check(range.first <= range.last && range.last <= n);
    const CSeriesPoints point(s, records);
    CCheckingSink sink;
    MergeSeriesSegments(point, range, sink);
    for (std::size_t i = range.first; i < range.last; ++i)
        Check(Near(point(i)));
    MarkersShown(s);
    CheckTimeAxis(s, records);
    LevelLabels(s);
    for (int r = 0; r <= 10; ++r)
        LevelRow(s, r);
    const SScaleNotice notice = MakeScaleNotice(s);
    HiddenLevelTexts(notice.wParam, notice.lParam, s.m_nH + 15);
    const SScrollBars bars = ScrollBarsFor(s);
    if (!s.m_bZoomed)
        Check(bars.hMax == 0);   // fit mode shows everything
    CursorColumn(s, s.m_nCursorA);
    CursorColumn(s, s.m_nCursorB);
}

void CheckPrint(FuzzedDataProvider& in, const SChartState& s, const CRecordList& records, const RTStatistics& stats)
{
    const SGraphPage g =
        GraphPageGeometry(s, in.ConsumeIntegralInRange(1, 20000), in.ConsumeIntegralInRange(1, 20000));
    const SVisibleRange range = VisibleRange(s, records.GetSize());
    // The printed series reaches in each column exactly the rows its records
    // reach there, with at most two points per column.
    std::map<int, std::pair<int, int>> each;
    const auto extend = [](std::map<int, std::pair<int, int>>& m, SPoint p) {
        const auto [it, fresh] = m.emplace(p.x, std::pair{p.y, p.y});
        it->second = {std::min(it->second.first, p.y), std::max(it->second.second, p.y)};
    };
    for (std::size_t i = range.first; i < range.last; ++i) {
        const SPoint p = PrintedPoint(g, s, i, records.GetAt(i).m_dValue);
        Check(Near(p));
        extend(each, p);
    }
    std::map<int, std::pair<int, int>> printed;
    const std::vector<SPoint> series = PrintedSeries(g, s, records);
    for (const SPoint& p : series)
        extend(printed, p);
    if (range.last >= range.first + 2)
        Check(printed == each && series.size() <= 2 * (range.last - range.first));
    PrintedPlotBottom(g, s);
    PrintedPlotRight(g, s);
    for (int t = 0; t <= 5; ++t)
        PrintedTickColumn(g, s, t);
    for (int k = 0; k <= 10; ++k) {
        PrintedLevelRow(g, s, k);
        PrintedLevelLabel(s, k);
    }
    const SRect plot = PrintedPlotRect(g, s);
    Check(plot.width >= 0 && plot.height >= 0);

    // The texts placed with a font whose characters are all as wide as its
    // line is high divided by some number.
    const int N = in.ConsumeIntegralInRange(1, 1000);
    STextMeasure f;
    const int charWidth = N / in.ConsumeIntegralInRange(1, 4);
    f.width = [charWidth](const std::string& text) { return static_cast<int>(text.size()) * charWidth; };
    f.height = N;
    f.lineSpacing = N;
    f.blank = charWidth;
    const SStatBlock block{stats, 0.0, records.IsEmpty() ? 1.0 : records.GetAt(0).m_dSampleRate};
    GraphPageTexts(g, s, TimeAxisLabels(s, records), "Time: 2026-12-28  23:59:59", block, f);

    // The data table.
    const SPageUnits u = PageUnits(g.units.hres, g.units.vres);
    const int R = RowsPerPage(u, N);
    const std::size_t n = records.GetSize();
    const int pages = PageCount(n, R);
    const SDataColumns cols = DataColumns(u, records, f);
    DataFirstPageHeader(u, cols, block, f);
    DataFooterTexts(u, pages, "Time: 2026-12-28  23:59:59", f);
    for (std::size_t i = 0; i < n; ++i) {
        const SRowPlace place = PlaceRecord(i, n, R, u, N);
        Check(place.page < pages);
        DataRowTexts(cols, place.y, i, records.GetAt(i));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A zone without daylight saving time: label times then read back in order.
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // The view's choices come from the end of the input.
    const int width = in.ConsumeIntegralInRange(0, 5000);
    const int height = in.ConsumeIntegralInRange(0, 3000);
    const bool follow = in.ConsumeBool();
    struct SZoom {
        int ax, ay, x, y;
    };
    std::vector<SZoom> zooms(in.ConsumeIntegralInRange(0, 3));
    for (SZoom& z : zooms)
        z = {in.ConsumeIntegralInRange(-10, 5100), in.ConsumeIntegralInRange(-10, 3100),
             in.ConsumeIntegralInRange(-10000, 10000), in.ConsumeIntegralInRange(-10000, 10000)};
    struct SScroll {
        bool vertical;
        EScrollCode code;
        int thumb;
    };
    std::vector<SScroll> scrolls(in.ConsumeIntegralInRange(0, 6));
    for (SScroll& sc : scrolls)
        sc = {in.ConsumeBool(), static_cast<EScrollCode>(in.ConsumeIntegralInRange(0, 3)),
              in.ConsumeIntegralInRange(-100000, 1000000)};
    const int cursorA = in.ConsumeIntegralInRange(-1, 100000);
    const int cursorB = in.ConsumeIntegralInRange(-1, 100000);
    const std::size_t pageBytes = 8;   // two page sizes and a line height, taken last
    const std::vector<std::uint8_t> pageChoice = in.ConsumeBytes<std::uint8_t>(pageBytes);
    std::string file = in.ConsumeRemainingBytesAsString();
    if (file.compare(0, kDataFileHeader.size(), kDataFileHeader) != 0)
        file.insert(0, "DECIVOX DATA LOGGER SamplingRate:1.0;\r\n");

    // Reading and the store.
    SDataFileRead read = ParseDataFile(std::string_view(file));
    if (read.status != SDataFileRead::EStatus::Ok)
        return 0;
    CRecordStore store;
    store.Replace(std::move(read.records));
    const std::size_t n = store.GetSize();
    CRunningStats running;
    for (std::size_t i = 0; i < n; ++i)
        running.Account(store.GetAt(i), store.GetAt(0), i + 1);
    StatsBetween(store, cursorA, cursorB);

    // The chart as a redraw sees it: fit mode, then the zooms and scrolls.
    SChartState s;
    SetInitialView(s, width, height);
    s.m_bFollow = follow;
    FitOrFollow(s, n, nullptr);
    CheckChart(s, store);
    for (const SZoom& z : zooms) {
        OnLeftDown(s, z.ax, z.ay, n);
        OnMouseMove(s, z.x, z.y, n);
        OnLeftUp(s, z.x, z.y);
        FitOrFollow(s, n, nullptr);
    }
    for (const SScroll& sc : scrolls) {
        const SScrollBars bars = ScrollBarsFor(s);
        if (sc.vertical)
            ScrollVertical(s, sc.code, bars.vPos, sc.thumb);
        else
            ScrollHorizontal(s, sc.code, bars.hPos, sc.thumb);
    }
    s.m_nCursorA = cursorA;
    s.m_nCursorB = cursorB;
    CheckChart(s, store);

    FuzzedDataProvider page(pageChoice.data(), pageChoice.size());
    CheckPrint(page, s, store, running.Stats());
    return 0;
}

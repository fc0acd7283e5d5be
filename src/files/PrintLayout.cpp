#include "files/PrintLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "common/Clock.h"
#include "common/Text.h"
#include "graph/SeriesGeometry.h"

namespace sonivel {
namespace {

// trunc(v) + offset, kept on the int range.
int TruncPlus(double v, int offset)
{
    const long long sum = static_cast<long long>(TruncToInt(v)) + offset;
    return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

} // namespace

SPageUnits PageUnits(int hres, int vres)
{
    return {hres, vres, vres / 80, vres / 130, hres / 130};
}

std::string PrintTimeText(std::time_t now)
{
    const std::tm t = LocalTime(now);
    return Format("Time: %d-%d-%d  %d:%d:%d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                  t.tm_sec);
}

std::string PageNumberText(int page)
{
    return Format("Page -%d-", page);
}

int RowsPerPage(const SPageUnits& u, int N)
{
    const int rows = N > 0 ? (u.vres - 4 * u.J) / N : 1;
    return rows > 0 ? rows : 1;
}

SRowPlace PlaceRecord(std::size_t i, std::size_t n, int R, const SPageUnits& u, int N)
{
    const std::size_t c = i + 7;
    const std::size_t row = c % static_cast<std::size_t>(R);
    SRowPlace place;
    place.page = static_cast<int>((c - 1) / static_cast<std::size_t>(R));
    place.y = u.J + N + static_cast<int>(row == 0 ? R : row) * N;
    place.closesPage = row == 0 && i + 1 < n;
    return place;
}

int PageCount(std::size_t n, int R)
{
    return n == 0 ? 1 : static_cast<int>((n + 6 - 1) / static_cast<std::size_t>(R)) + 1;
}

std::string MaxEntryText(const RTStatistics& s)
{
    return Format("%.2f   %s", s.dMax, s.strMaxTime.c_str());
}

std::string MinEntryText(const RTStatistics& s)
{
    return Format("%.2f   %s", s.dMin, s.strMinTime.c_str());
}

SGraphPage GraphPageGeometry(const SChartState& chart, int hres, int vres)
{
    SGraphPage g;
    g.units = PageUnits(hres, vres);
    g.left = 8 * (vres / 130);
    g.top = 4 * (vres / 80);
    g.s = chart.m_nW / static_cast<double>(hres - 16 * (vres / 130));
    g.u = chart.m_nH / static_cast<double>(vres / 2 - g.top);
    return g;
}

SPoint PrintedPoint(const SGraphPage& g, const SChartState& c, std::size_t i, double v)
{
    const double xs = c.m_dXScale;
    const double ys = c.m_dYScale;
    const double x = (static_cast<double>(i) / xs - (c.m_dXOffset - c.m_dXMin) / xs) / g.s;
    const double y = ((c.m_dYOffset - c.m_dYMin) / ys - (v - c.m_dYMin) / ys + c.m_nH) / g.u;
    // Kept near the page, as the series on screen, whatever the level.
    return {std::clamp(TruncPlus(x, g.left), -kFarPixel, kFarPixel),
            std::clamp(TruncPlus(y, g.top), -kFarPixel, kFarPixel)};
}

namespace {

// The screen's merging rules on the printed page's coordinates.
class CPrintedPoints final : public CSeriesPoints {
public:
    CPrintedPoints(const SGraphPage& g, const SChartState& c, const CRecordList& records)
        : CSeriesPoints(c, records), m_g(g), m_c(c)
    {
    }
    int Column(std::size_t i) const override { return PrintedPoint(m_g, m_c, i, 0.0).x; }
    int Row(double level) const override { return PrintedPoint(m_g, m_c, 0, level).y; }
    double IndexOfColumn(double x) const override { return ((x - m_g.left) * m_g.s + m_xShift) * m_xs; }
    bool Ordered() const override
    {
        const auto positive = [](double v) { return v > 0.0 && std::isfinite(v); };
        return CSeriesPoints::Ordered() && positive(m_g.s) && positive(m_g.u);
    }

private:
    const SGraphPage& m_g;
    const SChartState& m_c;
};

// Joins the merged segments into one polyline. A column's span replaces the
// column's point already reached by its two ends (the nearer one first); a
// line that starts inside the column just drawn starts from there.
class CPolylineSink final : public ISeriesSink {
public:
    void Span(int x, int top, int bottom) override
    {
        if (!m_points.empty() && m_points.back().x == x) {
            const int y = m_points.back().y;
            m_points.pop_back();
            if (y - top > bottom - y)
                std::swap(top, bottom);
        }
        m_points.push_back({x, top});
        if (bottom != top)
            m_points.push_back({x, bottom});
    }
    void Line(SPoint a, SPoint b) override
    {
        if (m_points.empty() || m_points.back().x != a.x)
            m_points.push_back(a);
        m_points.push_back(b);
    }
    std::vector<SPoint> Take() { return std::move(m_points); }

private:
    std::vector<SPoint> m_points;
};

} // namespace

std::vector<SPoint> PrintedSeries(const SGraphPage& g, const SChartState& c, const CRecordList& records)
{
    const CPrintedPoints points(g, c, records);
    CPolylineSink sink;
    MergeSeriesSegments(points, VisibleRange(c, records.GetSize()), sink);
    return sink.Take();
}

int PrintedPlotBottom(const SGraphPage& g, const SChartState& c)
{
    return TruncToInt(g.top + c.m_nH / g.u);
}

int PrintedPlotRight(const SGraphPage& g, const SChartState& c)
{
    return TruncPlus(c.m_nW / g.s, g.left);
}

int PrintedTickColumn(const SGraphPage& g, const SChartState& c, int t)
{
    return TruncToInt(g.left + (t * c.m_nW / 5) / g.s);
}

int PrintedLevelRow(const SGraphPage& g, const SChartState& c, int k)
{
    return TruncPlus(c.m_nH * k / 10.0 / g.u, g.top);
}

std::string PrintedLevelLabel(const SChartState& c, int k)
{
    return Format("%.1f", c.m_nH * (10 - k) / 10.0 * c.m_dYScale + c.m_dYOffset);
}

SRect PrintedPlotRect(const SGraphPage& g, const SChartState& c)
{
    const long long width = static_cast<long long>(PrintedPlotRight(g, c)) - g.left + 1;
    const long long height = static_cast<long long>(PrintedPlotBottom(g, c)) - g.top + 1;
    return {g.left, g.top, static_cast<int>(std::clamp(width, 0LL, static_cast<long long>(INT_MAX))),
            static_cast<int>(std::clamp(height, 0LL, static_cast<long long>(INT_MAX)))};
}

} // namespace sonivel

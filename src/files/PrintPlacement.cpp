#include "files/PrintPlacement.h"

#include <algorithm>
#include <climits>

#include "common/Text.h"

namespace sonivel {
namespace {

int ToIntRange(long long v)
{
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

// The first column one blank past text written at x.
int After(int x, int width, const STextMeasure& f)
{
    return ToIntRange(static_cast<long long>(x) + width + f.blank);
}

struct SDesigned {
    int x;
    std::string text;
};

// One line of texts, left to right: each at its design column or one blank
// past the text before it, whichever is further right.
void PlaceLine(CPlacedTexts& out, int y, std::vector<SDesigned> items, const STextMeasure& f)
{
    int least = INT_MIN;
    for (SDesigned& item : items) {
        const int x = std::max(item.x, least);
        least = After(x, f.width(item.text), f);
        out.push_back({x, y, std::move(item.text)});
    }
}

// x - chars x unit: a text placed by its number of characters.
int CharsLeftOf(int x, std::size_t chars, int unit)
{
    return ToIntRange(static_cast<long long>(x) - static_cast<long long>(chars) * unit);
}

// The level labels, each ending one blank left of the axis and centred on its
// grid line; returns the top of the lowest one.
int LevelLabels(CPlacedTexts& out, const SGraphPage& g, const SChartState& c, const STextMeasure& f)
{
    int lowestTop = INT_MIN;
    for (int k = 10; k >= 0; --k) {
        std::string label = PrintedLevelLabel(c, k);
        const int x = ToIntRange(static_cast<long long>(g.left) - f.blank - f.width(label));
        const int y = ToIntRange(static_cast<long long>(PrintedLevelRow(g, c, k)) - f.lineSpacing / 2);
        out.push_back({x, y, std::move(label)});
        lowestTop = std::max(lowestTop, y);
    }
    return lowestTop;
}

// The time labels centred under their ticks, on the design line below the
// plot or, when the lowest level label reaches further down, below that.
void TimeLabels(CPlacedTexts& out, const SGraphPage& g, const SChartState& c, const STimeAxis& axis,
                int lowestLevelLabelTop, const STextMeasure& f)
{
    const int designed = TruncToInt(g.top + c.m_nH / g.u + f.lineSpacing / 2);
    const int y = std::max(designed, ToIntRange(static_cast<long long>(lowestLevelLabelTop) + f.height));
    for (int t = 0; t < axis.count; ++t) {
        const std::string& text = axis.ticks[static_cast<std::size_t>(t)].shown;
        const double column = g.left + (t * c.m_nW / 5) / g.s - f.width(text) / 2;
        out.push_back({TruncToInt(column), y, text});
    }
}

void GraphStatistics(CPlacedTexts& out, const SGraphPage& g, const SStatBlock& block, const STextMeasure& f)
{
    const RTStatistics& s = block.stats;
    const int m = g.units.m;
    const int x = g.left;
    const int y0 = g.units.vres / 2 + g.top;
    const int N = f.lineSpacing;
    PlaceLine(out, y0, {{x, "Start Time:"}, {x + 11 * m, s.strStartTime}}, f);
    PlaceLine(out, y0 + N, {{x, "Maxnum:"}, {x + 11 * m, Format("%.2f", s.dMax)}, {x + 17 * m, s.strMaxTime}}, f);
    PlaceLine(out, y0 + 2 * N, {{x, "Minnum:"}, {x + 11 * m, Format("%.2f", s.dMin)}, {x + 17 * m, s.strMinTime}},
              f);
    PlaceLine(out, y0 + 3 * N, {{x, "Sample Rate:"}, {x + 13 * m, Format("%.2f", block.dSampleRate)}}, f);
    PlaceLine(out, y0 + 4 * N, {{x, "Average:"}, {x + 11 * m, Format("%.2f", s.dAverage)}}, f);
}

constexpr const char* kStatLabels[] = {"Start Time", "MaxNUM", "MinNUM", "Average", "Sample Rate"};

void ColumnHeads(CPlacedTexts& out, const SDataColumns& cols, int y)
{
    out.push_back({cols.id, y, "ID"});
    out.push_back({cols.time, y, "DateTime"});
    out.push_back({cols.unit, y, "Unit"});
    out.push_back({cols.value, y, "Value"});
}

} // namespace

CPlacedTexts GraphPageTexts(const SGraphPage& g, const SChartState& c, const STimeAxis& axis,
                            const std::string& printTime, const SStatBlock& stats, const STextMeasure& f)
{
    const SPageUnits& u = g.units;
    CPlacedTexts out;
    const std::string title = kGraphTitle;
    out.push_back({CharsLeftOf(u.hres / 2, title.size() / 2, u.m), u.J, title});
    out.push_back({CharsLeftOf(u.hres / 2, printTime.size() / 2, u.m), std::max(2 * u.J, u.J + f.height), printTime});
    const int lowestLevelLabelTop = LevelLabels(out, g, c, f);
    TimeLabels(out, g, c, axis, lowestLevelLabelTop, f);
    GraphStatistics(out, g, stats, f);
    return out;
}

SDataWidths DataWidths(const STextMeasure& f)
{
    SDataWidths w;
    for (const char* text : kStatLabels)
        w.label = std::max(w.label, f.width(text));
    w.id = f.width("ID");
    w.time = f.width("DateTime");
    w.unit = f.width("Unit");
    w.value = f.width("Value");
    return w;
}

void WidenDataWidths(SDataWidths& w, const CRecordList& records, std::size_t first, std::size_t last,
                     const STextMeasure& f)
{
    // A text equal to the record before's has that one's width: runs of
    // records in the same second share their time text and the unit.
    std::string time, unit;
    for (std::size_t i = first; i < last; ++i) {
        const CObjData& r = records.GetAt(i);
        w.id = std::max(w.id, f.width(Format("%zu", i + 1)));
        if (i == first || r.m_strTime != time)
            w.time = std::max(w.time, f.width(r.m_strTime));
        if (i == first || r.m_strUnit != unit)
            w.unit = std::max(w.unit, f.width(r.m_strUnit));
        w.value = std::max(w.value, f.width(Format("%.2f", r.m_dValue)));
        time = r.m_strTime;
        unit = r.m_strUnit;
    }
}

SDataColumns PlaceDataColumns(const SPageUnits& u, const SDataWidths& w, const STextMeasure& f)
{
    const int K = u.K;
    SDataColumns cols;
    cols.label = 4 * K;
    cols.statValue = std::max(15 * K, After(cols.label, w.label, f));
    cols.id = 4 * K;
    cols.time = std::max(11 * K, After(cols.id, w.id, f));
    cols.unit = std::max(27 * K, After(cols.time, w.time, f));
    cols.value = std::max(33 * K, After(cols.unit, w.unit, f));
    cols.ruleEnd = std::max(40 * K, ToIntRange(static_cast<long long>(cols.value) + w.value));
    return cols;
}

SDataColumns DataColumns(const SPageUnits& u, const CRecordList& records, const STextMeasure& f)
{
    SDataWidths w = DataWidths(f);
    WidenDataWidths(w, records, 0, records.GetSize(), f);
    return PlaceDataColumns(u, w, f);
}

CPlacedTexts DataFirstPageHeader(const SPageUnits& u, const SDataColumns& cols, const SStatBlock& block,
                                 const STextMeasure& f)
{
    const RTStatistics& s = block.stats;
    const int J = u.J;
    const int N = f.lineSpacing;
    CPlacedTexts out;
    out.push_back({u.hres / 4 - 5 * u.K, J, "Data Table"});
    const std::string values[] = {s.strStartTime, MaxEntryText(s), MinEntryText(s), Format("%.2f", s.dAverage),
                                  Format("%.2f", block.dSampleRate)};
    for (int line = 0; line < 5; ++line) {
        out.push_back({cols.label, J + (line + 1) * N, kStatLabels[line]});
        out.push_back({cols.statValue, J + (line + 1) * N, values[line]});
    }
    ColumnHeads(out, cols, J + 7 * N);
    return out;
}

CPlacedTexts DataNextPageHeader(const SPageUnits& u, const SDataColumns& cols, const STextMeasure& f)
{
    CPlacedTexts out;
    out.push_back({u.hres / 4 - 4 * u.K, u.J, "Data Table"});
    ColumnHeads(out, cols, u.J + f.lineSpacing);
    return out;
}

CPlacedTexts DataRowTexts(const SDataColumns& cols, int y, std::size_t i, const CObjData& r)
{
    return {{cols.id, y, Format("%zu", i + 1)},
            {cols.time, y, r.m_strTime},
            {cols.unit, y, r.m_strUnit},
            {cols.value, y, Format("%.2f", r.m_dValue)}};
}

CPlacedTexts DataFooterTexts(const SPageUnits& u, int page, const std::string& printTime, const STextMeasure& f)
{
    CPlacedTexts out;
    PlaceLine(out, u.vres - u.J,
              {{CharsLeftOf(u.hres / 3, printTime.size(), u.K), printTime}, {u.hres / 3 + u.K, PageNumberText(page)}},
              f);
    return out;
}

} // namespace sonivel

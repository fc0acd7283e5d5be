#include "report/ReportPages.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/Text.h"
#include "report/ReportDraw.h"
#include "report/ReportText.h"

namespace sonivel {

using namespace reportdraw;
namespace rt = reporttext;

SReportFontLook ReportFontLook(EReportFont font)
{
    switch (font) {
    case EReportFont::Title: return {20, true};
    case EReportFont::Subtitle: return {11, false};
    case EReportFont::Heading: return {11, true};
    case EReportFont::Body: return {8.5, false};
    case EReportFont::BodyBold: return {8.5, true};
    case EReportFont::Small: return {7, false};
    case EReportFont::SmallBold: return {7, true};
    case EReportFont::Label: return {6.5, false};
    case EReportFont::KeyValue: return {9.5, false};
    case EReportFont::Headline: return {14, true};
    }
    return {};
}

double ReportLineHeight(EReportFont font)
{
    return std::ceil(ReportFontLook(font).size * 1.3 * 2) / 2;
}

namespace {

constexpr double kContent = kRight - kLeft;
constexpr double kContentBottom = kFooterRule - 10;

std::string WeightingText(const std::string& unit)
{
    const std::string letter = rt::WeightingLetter(unit);
    return letter == unit ? unit : letter + "-weighted (" + unit + ")";
}

// The words of text in lines no wider than w.
std::vector<std::string> Wrap(const CPageBuilder& b, const std::string& text, EReportFont font, double w)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string word = text.substr(i, end - i);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && b.Width(longer, font) > w)
            lines.push_back(line), line = word;
        else
            line = longer;
        i = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The title, the source's name and the time the report is made, above a rule.
double Header(CPageBuilder& b, const std::string& name, const std::string& issued)
{
    b.Text(kLeft, kTop, kContent / 2, "Noise report", EReportFont::Title);
    b.Text(kLeft + kContent / 2, kTop + 8, kContent / 2, "Issued " + issued, EReportFont::Small,
           EReportColour::Muted, EReportAlign::Right);
    b.Text(kLeft, kTop + 28, kContent, name, EReportFont::Subtitle, EReportColour::Muted);
    b.Line(kLeft, kTop + 50, kRight, kTop + 50, 1.5, EReportColour::Accent);
    return kTop + 60;
}

// The band of key facts: start, end, weighting and the LAeq of the span.
double KeyFacts(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y)
{
    const double h = 42, w = kContent / 4;
    b.Fill(kLeft, y, kContent, h, EReportColour::Band);
    const std::array<std::pair<std::string, std::string>, 4> cells{{
        {"Measurement start", rt::DateTime(span.figures.start)},
        {"Measurement end", rt::DateTime(span.figures.end)},
        {"Frequency weighting", WeightingText(span.unit)},
        {rt::Name(letter, "eq") + ", whole span", rt::Level(span.figures.leq) + " dB"},
    }};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const double x = kLeft + 10 + static_cast<double>(i) * w;
        b.Text(x, y + 6, w - 12, cells[i].first, EReportFont::Label, EReportColour::Muted);
        const bool headline = i == 3;
        b.Text(x, y + (headline ? 16 : 20), w - 12, cells[i].second,
               headline ? EReportFont::Headline : EReportFont::KeyValue,
               headline ? EReportColour::Accent : EReportColour::Ink);
    }
    return y + h;
}

// A table of rows of texts: a head row, then rows with a band on every other
// one. Column c starts at x + starts[c]; right[c] aligns its texts right
// within widths[c]. Returns the y below it.
struct STable {
    double x = kLeft, w = kContent;
    std::vector<double> starts, widths;
    std::vector<bool> right;
    std::vector<EReportFont> fonts;
    std::vector<EReportColour> colours;
};

double TableHead(CPageBuilder& b, const STable& t, const std::vector<std::string>& head, double y)
{
    for (std::size_t c = 0; c < head.size(); ++c)
        b.Text(t.x + t.starts[c], y + (kRowHeight - ReportLineHeight(EReportFont::SmallBold)) / 2, t.widths[c],
               head[c], EReportFont::SmallBold, EReportColour::Muted,
               t.right[c] ? EReportAlign::Right : EReportAlign::Left);
    b.Line(t.x, y + kRowHeight, t.x + t.w, y + kRowHeight, 0.6, EReportColour::Ink);
    return y + kRowHeight + 1;
}

double TableRow(CPageBuilder& b, const STable& t, const std::vector<std::string>& row, std::size_t index, double y)
{
    if (index % 2 == 1)
        b.Fill(t.x, y, t.w, kRowHeight, EReportColour::Band);
    for (std::size_t c = 0; c < row.size(); ++c)
        b.Text(t.x + t.starts[c], y + (kRowHeight - ReportLineHeight(t.fonts[c])) / 2, t.widths[c], row[c],
               t.fonts[c], t.colours[c], t.right[c] ? EReportAlign::Right : EReportAlign::Left);
    return y + kRowHeight;
}

// Columns wide enough for every text of theirs (head and rows), gap apart.
void SizeColumns(const CPageBuilder& b, STable& t, const std::vector<std::string>& head,
                 const std::vector<std::vector<std::string>>& rows, double gap)
{
    double x = 4;
    for (std::size_t c = 0; c < head.size(); ++c) {
        double w = b.Width(head[c], EReportFont::SmallBold);
        for (const auto& row : rows)
            w = std::max(w, b.Width(row[c], t.fonts[c]));
        t.starts.push_back(x);
        t.widths.push_back(w);
        x += w + gap;
    }
    t.w = std::max(t.w, x - gap + 4);
}

// A table of levels at x, w wide: rows of name, number, unit and detail; the
// unit sits close to its number, the detail takes the rest of the width.
double LevelTable(CPageBuilder& b, const std::vector<std::string>& head,
                  const std::vector<std::vector<std::string>>& rows, double x, double w, double y)
{
    STable t;
    t.x = x;
    t.w = w;
    t.right = {false, true, false, false};
    t.fonts = {EReportFont::BodyBold, EReportFont::Body, EReportFont::Small, EReportFont::Small};
    t.colours = {EReportColour::Ink, EReportColour::Ink, EReportColour::Muted, EReportColour::Muted};
    SizeColumns(b, t, head, rows, 10);
    t.starts[2] = t.starts[1] + t.widths[1] + 3;
    t.starts[3] = t.starts[2] + b.Width("dB", EReportFont::Small) + 14;
    t.widths[3] = t.w - t.starts[3] - 4;
    double yy = TableHead(b, t, head, y);
    for (std::size_t i = 0; i < rows.size(); ++i)
        yy = TableRow(b, t, rows[i], i, yy);
    return yy;
}

double Figures(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y)
{
    const SNoiseFigures& f = span.figures;
    auto exceeded = [](int n) { return Format("Exceeded %d %% of the time", n); };
    const std::vector<std::vector<std::string>> rows{
        {rt::Name(letter, "eq"), rt::Level(f.leq), "dB", "Equivalent continuous level"},
        {rt::Name(letter, "max"), rt::Level(f.lmax), "dB", "at " + rt::DateTime(f.lmaxTime)},
        {rt::Name(letter, "min"), rt::Level(f.lmin), "dB", "at " + rt::DateTime(f.lminTime)},
        {rt::Name(letter, "5"), rt::Level(f.l5), "dB", exceeded(5)},
        {rt::Name(letter, "10"), rt::Level(f.l10), "dB", exceeded(10)},
        {rt::Name(letter, "50"), rt::Level(f.l50), "dB", exceeded(50)},
        {rt::Name(letter, "90"), rt::Level(f.l90), "dB", exceeded(90)},
        {rt::Name(letter, "95"), rt::Level(f.l95), "dB", exceeded(95)},
        {"SEL", rt::Level(f.sel), "dB", "Sound exposure level"},
        {"Average", rt::Level(f.average), "dB", "Arithmetic mean of the levels"},
        {"Count", rt::Count(f.count), "", "records, one every " + rt::Interval(span.interval)},
        {"Duration", "", "", rt::Duration(f.durationS) + " (count " "\xC3\x97" " interval)"},
    };
    return LevelTable(b, {"Figure", "Level", "", "Detail"}, rows, kLeft, kContent * 0.58, y);
}

// Lday, Levening, Lnight and Lden beside the figures, from x to the right edge.
double DayEveningNight(CPageBuilder& b, const SNoiseFigures& f, double x, double y)
{
    const std::string d = rt::kDash;
    auto unit = [](const std::optional<double>& level) { return level ? "dB" : ""; };
    const std::vector<std::vector<std::string>> rows{
        {"Lday", rt::Level(f.lday), unit(f.lday), "07" + d + "19 h"},
        {"Levening", rt::Level(f.levening), unit(f.levening), "19" + d + "23 h"},
        {"Lnight", rt::Level(f.lnight), unit(f.lnight), "23" + d + "07 h"},
        {"Lden", rt::Level(f.lden), unit(f.lden), "day-evening-night"},
    };
    const double w = kRight - x;
    double yy = LevelTable(b, {"Period", "Level", "", "Hours"}, rows, x, w, y);
    const std::string note = f.lden ? "Lden is the level of the 24 hours with 5 dB added to the evening and "
                                      "10 dB to the night."
                                    : "Lden is given when the records cover the day, the evening and the night.";
    yy += 6;
    for (const std::string& line : Wrap(b, note, EReportFont::Small, w - 8)) {
        b.Text(x + 4, yy, w - 8, line, EReportFont::Small, EReportColour::Muted);
        yy += ReportLineHeight(EReportFont::Small);
    }
    return yy;
}

std::string PeriodOf(int hour)
{
    return hour >= 7 && hour < 19 ? "Day" : hour >= 19 && hour < 23 ? "Evening" : "Night";
}

// The hourly table laid out in side-by-side groups of rows.
struct SHourlyTable {
    STable table;
    std::vector<std::string> head;
    std::vector<std::vector<std::string>> rows;
    int groups = 1;
    double groupW = 0;
};

SHourlyTable HourlyTable(const CPageBuilder& b, const SNoiseFigures& f, const std::string& letter)
{
    SHourlyTable h;
    h.head = {"Date", "Hour", "Period", rt::Name(letter, "eq") + " dB", "Count"};
    for (const SHourFigure& hf : f.hourly) {
        SCalendarTime next = CalendarOfSeconds(CalendarSeconds(hf.hour) + 3600);
        h.rows.push_back({rt::Date(hf.hour), rt::Clock(hf.hour, false) + rt::kDash + rt::Clock(next, false),
                          PeriodOf(hf.hour.hour), rt::Level(hf.leq), rt::Count(hf.count)});
    }
    STable& t = h.table;
    t.w = 0;
    t.right = {false, false, false, true, true};
    t.fonts.assign(5, EReportFont::Small);
    t.fonts[3] = EReportFont::Body;
    t.colours = {EReportColour::Muted, EReportColour::Ink, EReportColour::Muted, EReportColour::Ink,
                 EReportColour::Muted};
    SizeColumns(b, t, h.head, h.rows, 12);
    constexpr double kGap = 16;
    for (h.groups = 3; h.groups > 1; --h.groups) {
        if ((kContent - kGap * (h.groups - 1)) / h.groups >= t.w)
            break;
    }
    h.groupW = (kContent - kGap * (h.groups - 1)) / h.groups;
    // The spare width goes between the columns, the numbers to the right edge.
    const double spare = h.groupW - t.w;
    t.starts[3] += spare * 0.6, t.starts[4] += spare;
    t.w = h.groupW;
    return h;
}

// Rows of the hourly table in groups on a page from y down to the content's
// bottom, starting with row `first`; returns the row after the last placed.
std::size_t PlaceHourly(CPageBuilder& b, const SHourlyTable& h, std::size_t first, double y)
{
    const auto perGroup = static_cast<std::size_t>(std::max(0.0, (kContentBottom - y - kRowHeight - 1) / kRowHeight));
    if (perGroup == 0)
        return first;
    const std::size_t left = h.rows.size() - first;
    // A group holds at least kMinRows rows before the next one is started.
    constexpr std::size_t kMinRows = 12;
    const std::size_t groups =
        std::min<std::size_t>(h.groups, std::max((left + perGroup - 1) / perGroup, (left + kMinRows - 1) / kMinRows));
    // Balanced groups when the rest fits on the page.
    const std::size_t rows = left <= perGroup * h.groups ? (left + groups - 1) / groups : perGroup;
    std::size_t r = first;
    for (std::size_t g = 0; g < groups && r < h.rows.size(); ++g) {
        STable t = h.table;
        t.x = kLeft + static_cast<double>(g) * (h.groupW + 16);
        double yy = TableHead(b, t, h.head, y);
        for (std::size_t i = 0; i < rows && r < h.rows.size(); ++i, ++r) {
            std::vector<std::string> row = h.rows[r];
            if (i > 0 && row[0] == h.rows[r - 1][0])
                row[0].clear();   // the date once per day and group
            yy = TableRow(b, t, row, i, yy);
        }
    }
    return r;
}

// The lines of a page after the first of the same span.
double ContinuationHeader(CPageBuilder& b, const std::string& name, const std::string& unit)
{
    b.Text(kLeft, kTop, kContent, "Noise report " + std::string(rt::kNone) + " " + name + ", " + WeightingText(unit),
           EReportFont::Small, EReportColour::Muted);
    b.Line(kLeft, kTop + 14, kRight, kTop + 14, 0.6, EReportColour::Rule);
    return kTop + 26;
}

void SpanPages(std::vector<SReportPage>& pages, std::vector<std::string>& names, const SReportSource& source,
               const SWeightingSpan& span, const std::string& issued, const ReportTextWidth& width)
{
    const std::string letter = rt::WeightingLetter(span.unit);
    pages.emplace_back();
    names.push_back(source.name + ", " + WeightingText(span.unit));
    CPageBuilder b(pages.back(), width);
    double y = Header(b, source.name, issued);
    y = KeyFacts(b, span, letter, y);
    y = b.Heading(y + 14, "Time history");
    y = TimeChart(b, span, letter, y);
    y = b.Heading(y + 14, "Noise figures");
    const double tableTop = y;
    y = Figures(b, span, letter, tableTop);
    b.Text(kLeft + kContent * 0.62, tableTop - ReportLineHeight(EReportFont::Heading) - 6, kContent * 0.38,
           "Day, evening and night", EReportFont::Heading, EReportColour::Accent);
    y = std::max(y, DayEveningNight(b, span.figures, kLeft + kContent * 0.62, tableTop));
    if (span.figures.hourly.empty())
        return;
    y = b.Heading(y + 14, "Hourly " + rt::Name(letter, "eq"));
    y = HourlyBars(b, span, letter, y);

    const SHourlyTable hourly = HourlyTable(b, span.figures, letter);
    const double fit = std::floor((kContentBottom - y - 10 - kRowHeight - 1) / kRowHeight);
    std::size_t next = 0;
    if (fit > 0 && static_cast<double>(hourly.rows.size()) <= fit * hourly.groups)
        next = PlaceHourly(b, hourly, 0, y + 10);
    while (next < hourly.rows.size()) {
        pages.emplace_back();
        names.push_back(names.back());
        CPageBuilder more(pages.back(), width);
        double top = ContinuationHeader(more, source.name, span.unit);
        top = more.Heading(top, "Hourly " + rt::Name(letter, "eq") + (next > 0 ? " (continued)" : ""));
        next = PlaceHourly(more, hourly, next, top);
    }
}

void EmptyPage(std::vector<SReportPage>& pages, std::vector<std::string>& names, const SReportSource& source,
               const std::string& issued, const ReportTextWidth& width)
{
    pages.emplace_back();
    names.push_back(source.name);
    CPageBuilder b(pages.back(), width);
    const double y = Header(b, source.name, issued);
    b.Text(kLeft, y + 10, kContent, "The file holds no records: there is nothing to report.", EReportFont::Body);
}

void Footer(SReportPage& page, const std::string& name, std::size_t number, std::size_t count,
            const ReportTextWidth& width)
{
    CPageBuilder b(page, width);
    b.Line(kLeft, kFooterRule, kRight, kFooterRule, 0.5, EReportColour::Rule);
    const std::string pageText = Format("Page %zu of %zu", number, count);
    const double pw = b.Width(pageText, EReportFont::Small) + 4;
    b.Text(kLeft, kFooterRule + 5, kContent - pw - 10, name, EReportFont::Small, EReportColour::Muted);
    b.Text(kRight - pw, kFooterRule + 5, pw, pageText, EReportFont::Small, EReportColour::Muted, EReportAlign::Right);
}

} // namespace

std::vector<SReportPage> LayoutReport(const std::vector<SReportSource>& sources, const std::string& issued,
                                      const ReportTextWidth& width)
{
    std::vector<SReportPage> pages;
    std::vector<std::string> names;   // each page's footer text
    for (const SReportSource& source : sources) {
        if (source.spans.empty())
            EmptyPage(pages, names, source, issued, width);
        for (const SWeightingSpan& span : source.spans)
            SpanPages(pages, names, source, span, issued, width);
    }
    for (std::size_t i = 0; i < pages.size(); ++i)
        Footer(pages[i], names[i], i + 1, pages.size(), width);
    return pages;
}

} // namespace sonivel

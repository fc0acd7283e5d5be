#pragma once
// The pages of the noise report, laid out as pure data: every text with its
// box, every line and every filled area, in points (1/72 inch) on A4 portrait
// with the origin at the top-left corner, in drawing order. The PDF writer
// (ReportPdf) only paints them. One page (more when the hourly table needs
// them) per weighting of each source: the title and time span, the chart of
// the whole span with its LAeq line, the figures, the day-evening-night
// levels, the hourly LAeq as bars and as a table; every page has a footer
// with the source's name and "Page x of y".
//
// The chart is drawn from the envelope's columns (one per half point of plot
// width), so its cost does not grow with the records. Texts are sized by the
// measure the caller gives, so that columns are wide enough for their texts
// and no two texts overlap. Pure; one thread; nothing can fail.
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "report/ReportSource.h"

namespace sonivel {

inline constexpr double kA4Width = 595.276;    // points
inline constexpr double kA4Height = 841.890;

enum class EReportFont { Title, Subtitle, Heading, Body, BodyBold, Small, SmallBold, Label, KeyValue, Headline };
enum class EReportColour { Ink, Muted, Rule, Grid, Accent, Series, LeqLine, Bar, Band, Paper };
enum class EReportAlign { Left, Right, Centre };

// The size in points and the weight of a font of the report.
struct SReportFontLook {
    double size = 9;
    bool bold = false;
};
SReportFontLook ReportFontLook(EReportFont font);
// The height of a line of text in the font, points.
double ReportLineHeight(EReportFont font);

struct SReportRect {
    double x = 0, y = 0, w = 0, h = 0;
};
// A text inside its box: aligned horizontally as given, centred vertically.
struct SReportText {
    SReportRect box;
    std::string text;   // UTF-8
    EReportFont font = EReportFont::Body;
    EReportColour colour = EReportColour::Ink;
    EReportAlign align = EReportAlign::Left;
};
struct SReportLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0.5;
    EReportColour colour = EReportColour::Ink;
    bool dashed = false;
};
struct SReportFill {
    SReportRect box;
    EReportColour colour = EReportColour::Band;
};
using SReportItem = std::variant<SReportFill, SReportLine, SReportText>;

struct SReportPage {
    std::vector<SReportItem> items;   // in drawing order
};

// The advance width in points of a UTF-8 text in a font.
using ReportTextWidth = std::function<double(const std::string& text, EReportFont font)>;

// The pages of the report of the sources, in order. issued is the time the
// report is made, as shown in each page's header ("10 Dec 2026 14:03").
std::vector<SReportPage> LayoutReport(const std::vector<SReportSource>& sources, const std::string& issued,
                                      const ReportTextWidth& width);

} // namespace sonivel

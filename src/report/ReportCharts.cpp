// The two charts of a report page: the levels of the whole span (min and max
// per column, the LAeq as a dashed line) and the hourly LAeq as bars.
#include <algorithm>
#include <cmath>

#include "common/Text.h"
#include "report/ReportDraw.h"
#include "report/ReportText.h"

namespace sonivel::reportdraw {

namespace {

namespace rt = reporttext;

constexpr double kPlotLeft = kLeft + 30;
constexpr double kPlotRight = kRight - 2;
constexpr double kCaption = 12;    // the unit caption and legend row above a plot
constexpr double kTimePlotHeight = 150;
constexpr double kBarPlotHeight = 96;

// The level labels, the grid and the frame of a plot on the scale.
void LevelAxis(CPageBuilder& b, const SLevelScale& s, const std::string& unit, double captionY)
{
    b.Text(kLeft, captionY, kPlotLeft - kLeft - 5, unit, EReportFont::Small, EReportColour::Muted,
           EReportAlign::Right);
    const double h = ReportLineHeight(EReportFont::Small);
    for (double level = s.lo; level <= s.hi + 1e-9; level += s.step) {
        const double y = s.Y(level);
        if (level > s.lo)
            b.Line(kPlotLeft, y, kPlotRight, y, 0.4, EReportColour::Grid);
        b.Text(kLeft, y - h / 2, kPlotLeft - kLeft - 5, Format("%g", level), EReportFont::Small,
               EReportColour::Muted, EReportAlign::Right);
    }
    b.Line(kPlotLeft, s.top, kPlotLeft, s.bottom, 0.6, EReportColour::Ink);
    b.Line(kPlotLeft, s.bottom, kPlotRight, s.bottom, 0.6, EReportColour::Ink);
}

// A legend entry ending at right on the caption row: a sample stroke and its
// text; returns where the entry begins.
double LegendEntry(CPageBuilder& b, double right, double y, const std::string& text, EReportColour colour,
                   bool dashed, double stroke)
{
    const double w = b.Width(text, EReportFont::Small);
    b.Text(right - w, y, w, text, EReportFont::Small, EReportColour::Ink);
    const double mid = y + ReportLineHeight(EReportFont::Small) / 2;
    b.Line(right - w - 20, mid, right - w - 4, mid, stroke, colour, dashed);
    return right - w - 20 - 12;
}

// The steps of the time axis, seconds.
constexpr long long kTimeSteps[] = {1,    2,    5,     10,    15,    30,    60,    120,    300,    600,   900,
                                    1800, 3600, 7200,  10800, 21600, 43200, 86400, 172800, 604800, 1209600};

// The time labels under a plot spanning `span` seconds from origin.
void TimeTicks(CPageBuilder& b, const std::optional<SCalendarTime>& origin, double span, double y, double bottom)
{
    const double plotW = kPlotRight - kPlotLeft;
    const long long from = origin ? CalendarSeconds(*origin) : 0;
    long long step = kTimeSteps[std::size(kTimeSteps) - 1];
    bool seconds = false;
    for (long long s : kTimeSteps) {
        seconds = s < 60;
        const double labelW = std::max(b.Width(seconds ? "00:00:00" : "00:00", EReportFont::Small),
                                       b.Width("00 Mmm", EReportFont::Small)) + 14;
        if (span / static_cast<double>(s) * labelW <= plotW) {
            step = s;
            break;
        }
    }
    seconds = step < 60;
    double taken = kLeft - 10;   // where the last label ends: a label pushed onto it is left out
    for (long long t = (from + step - 1) / step * step; static_cast<double>(t - from) <= span; t += step) {
        const double x = kPlotLeft + static_cast<double>(t - from) / span * plotW;
        const SCalendarTime c = CalendarOfSeconds(t);
        std::string text;
        if (!origin)
            text = Format("%lld:%.2lld", (t - from) / 3600, (t - from) / 60 % 60);
        else if (step >= 86400 || (c.hour == 0 && c.minute == 0 && c.second == 0))
            text = rt::DayMonth(c);
        else
            text = rt::Clock(c, seconds);
        b.Line(x, bottom, x, bottom + 3, 0.6, EReportColour::Ink);
        const double w = b.Width(text, EReportFont::Small) + 4;
        const double left = std::clamp(x - w / 2, kLeft, kRight - w);
        if (left < taken + 4)
            continue;
        b.Text(left, y, w, text, EReportFont::Small, EReportColour::Muted, EReportAlign::Centre);
        taken = left + w;
    }
}

} // namespace

double SLevelScale::Y(double level) const
{
    const double clamped = std::clamp(level, lo, hi);
    return bottom - (clamped - lo) / (hi - lo) * (bottom - top);
}

SLevelScale LevelScaleOf(const SNoiseFigures& f)
{
    SLevelScale s;
    const double lo = std::isfinite(f.lmin) ? f.lmin : 0, hi = std::isfinite(f.lmax) ? f.lmax : 100;
    s.lo = std::floor((lo - 1) / 10) * 10;
    s.hi = std::ceil((hi + 1) / 10) * 10;
    if (s.hi - s.lo < 30)
        s.lo = std::max(0.0, s.hi - 30), s.hi = s.lo + 30;
    s.step = s.hi - s.lo <= 60 ? 10 : 20;
    s.hi = s.lo + std::ceil((s.hi - s.lo) / s.step) * s.step;
    return s;
}

double TimeChart(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y)
{
    const SNoiseFigures& f = span.figures;
    SLevelScale s = LevelScaleOf(f);
    s.top = y + kCaption + 4;
    s.bottom = s.top + kTimePlotHeight;
    const std::string leqText = rt::Name(letter, "eq") + " " + rt::Level(f.leq) + " dB";
    double legend = LegendEntry(b, kPlotRight, y, leqText + " (whole span)", EReportColour::LeqLine, true, 1.2);
    LegendEntry(b, legend, y, "Level, lowest to highest per column", EReportColour::Series, false, 2.5);
    LevelAxis(b, s, "dB(" + letter + ")", y);

    // One vertical stroke per column from its lowest to its highest level,
    // stretched to meet the previous column so that the trace is continuous.
    const double plotW = kPlotRight - kPlotLeft;
    const auto n = static_cast<std::size_t>(std::lround(plotW * 2));
    const std::vector<SEnvelopeColumn> columns = span.envelope.Columns(n);
    const double cw = plotW / static_cast<double>(n);
    for (std::size_t c = 0; c < n; ++c) {
        if (!columns[c].any)
            continue;
        double lo = columns[c].min, hi = columns[c].max;
        if (c > 0 && columns[c - 1].any) {
            lo = std::min(lo, columns[c - 1].max);
            hi = std::max(hi, columns[c - 1].min);
        }
        const double x = kPlotLeft + (static_cast<double>(c) + 0.5) * cw;
        b.Line(x, s.Y(hi) - 0.4, x, s.Y(lo) + 0.4, cw * 1.05, EReportColour::Series);
    }

    if (std::isfinite(f.leq)) {
        const double yLeq = s.Y(f.leq);
        b.Line(kPlotLeft, yLeq, kPlotRight, yLeq, 1.2, EReportColour::LeqLine, true);
        const double w = b.Width(leqText, EReportFont::SmallBold) + 6, h = ReportLineHeight(EReportFont::SmallBold);
        const double ty = yLeq - h - 2 >= s.top ? yLeq - h - 2 : yLeq + 2;
        b.Fill(kPlotRight - w - 4, ty, w, h, EReportColour::Paper);
        b.Text(kPlotRight - w - 4, ty, w, leqText, EReportFont::SmallBold, EReportColour::LeqLine,
               EReportAlign::Centre);
    }
    TimeTicks(b, span.origin, std::max(span.envelope.End(), 1e-3), s.bottom + 4, s.bottom);
    return s.bottom + 4 + ReportLineHeight(EReportFont::Small);
}

double HourlyBars(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y)
{
    const SNoiseFigures& f = span.figures;
    SLevelScale s = LevelScaleOf(f);
    s.top = y + kCaption + 4;
    s.bottom = s.top + kBarPlotHeight;
    const double plotW = kPlotRight - kPlotLeft;
    const long long first = CalendarSeconds(f.hourly.front().hour) / 3600;
    const long long last = CalendarSeconds(f.hourly.back().hour) / 3600;
    // A slot per clock hour, at most a twelfth of the plot wide, centred.
    const auto slots = static_cast<double>(last - first + 1);
    const double slotW = plotW / std::max(slots, 12.0);
    const double x0 = kPlotLeft + (plotW - slotW * slots) / 2;

    double legend = LegendEntry(b, kPlotRight, y, rt::Name(letter, "eq") + " of each clock hour", EReportColour::Bar,
                                false, 5);
    const std::string night = std::string("Night 23") + rt::kDash + "07 h";
    const double nw = b.Width(night, EReportFont::Small);
    b.Text(legend - nw, y, nw, night, EReportFont::Small);
    b.Fill(legend - nw - 18, y + 2, 12, ReportLineHeight(EReportFont::Small) - 4, EReportColour::Band);

    // Night hours shaded behind the bars.
    for (long long h = first; h <= last; ++h) {
        const int hour = CalendarOfSeconds(h * 3600).hour;
        if (hour >= 23 || hour < 7)
            b.Fill(x0 + static_cast<double>(h - first) * slotW, s.top, slotW, s.bottom - s.top,
                   EReportColour::Band);
    }
    LevelAxis(b, s, "dB(" + letter + ")", y);

    const bool values = slotW >= b.Width("888.8", EReportFont::Label) + 2;
    for (const SHourFigure& hf : f.hourly) {
        const double x = x0 + static_cast<double>(CalendarSeconds(hf.hour) / 3600 - first) * slotW;
        const double top = s.Y(hf.leq);
        b.Fill(x + slotW * 0.15, top, std::max(slotW * 0.7, 0.3), s.bottom - top, EReportColour::Bar);
        if (values)
            b.Text(x, top - ReportLineHeight(EReportFont::Label) - 1, slotW, rt::Level(hf.leq), EReportFont::Label,
                   EReportColour::Ink, EReportAlign::Centre);
    }

    // Hour labels: every k-th clock hour, a date at midnight when the span
    // runs over more than one day.
    const bool days = f.hourly.front().hour.day != f.hourly.back().hour.day ||
                      f.hourly.front().hour.month != f.hourly.back().hour.month || last - first >= 24;
    const double labelW = b.Width(days ? "00 Mmm" : "00", EReportFont::Small) + 6;
    long long k = 1;
    for (long long step : {1, 2, 3, 4, 6, 12, 24, 48, 72, 168, 336, 720, 1440, 4320, 8760}) {
        k = step;
        if (static_cast<double>(step) * slotW >= labelW)
            break;
    }
    const double ly = s.bottom + 4;
    for (long long h = first; h <= last; ++h) {
        if (h % k != 0)
            continue;
        const SCalendarTime c = CalendarOfSeconds(h * 3600);
        const std::string text = days && c.hour == 0 ? rt::DayMonth(c) : Format("%.2d", c.hour);
        const double xc = x0 + (static_cast<double>(h - first) + 0.5) * slotW;
        const double w = b.Width(text, EReportFont::Small) + 4;
        b.Text(std::clamp(xc - w / 2, kLeft, kRight - w), ly, w, text, EReportFont::Small, EReportColour::Muted,
               EReportAlign::Centre);
    }
    return ly + ReportLineHeight(EReportFont::Small);
}

} // namespace sonivel::reportdraw

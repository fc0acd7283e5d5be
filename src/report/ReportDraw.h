#pragma once
// Pieces shared by the report's page layout and its charts (inside
// src/report only): adding items to a page, the level scale of a weighting's
// charts and the page's fixed geometry. Pure.
#include <string>

#include "report/ReportPages.h"

namespace sonivel::reportdraw {

inline constexpr double kLeft = 50;                       // content edges, points
inline constexpr double kRight = kA4Width - 50;
inline constexpr double kTop = 40;
inline constexpr double kFooterRule = kA4Height - 44;     // the footer's rule; content ends above it
inline constexpr double kRowHeight = 13.5;                // a table row

class CPageBuilder {
public:
    CPageBuilder(SReportPage& page, const ReportTextWidth& width) : m_page(page), m_width(width) {}

    double Width(const std::string& text, EReportFont font) const { return m_width(text, font); }
    // A one-line text whose line box starts at top y.
    void Text(double x, double y, double w, std::string text, EReportFont font,
              EReportColour colour = EReportColour::Ink, EReportAlign align = EReportAlign::Left)
    {
        m_page.items.push_back(SReportText{{x, y, w, ReportLineHeight(font)}, std::move(text), font, colour, align});
    }
    void Line(double x1, double y1, double x2, double y2, double width, EReportColour colour, bool dashed = false)
    {
        m_page.items.push_back(SReportLine{x1, y1, x2, y2, width, colour, dashed});
    }
    void Fill(double x, double y, double w, double h, EReportColour colour)
    {
        m_page.items.push_back(SReportFill{{x, y, w, h}, colour});
    }
    // A section heading at y; returns the y below it.
    double Heading(double y, const std::string& text)
    {
        Text(kLeft, y, kRight - kLeft, text, EReportFont::Heading, EReportColour::Accent);
        return y + ReportLineHeight(EReportFont::Heading) + 6;
    }

private:
    SReportPage& m_page;
    const ReportTextWidth& m_width;
};

// The level axis of a weighting's two charts: from lo to hi dB in steps.
struct SLevelScale {
    double lo = 0, hi = 100, step = 10;
    double top = 0, bottom = 0;   // the plot's edges, points
    double Y(double level) const;
};
SLevelScale LevelScaleOf(const SNoiseFigures& f);

// The chart of the whole span with its LAeq line, its top at y; returns its bottom.
double TimeChart(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y);
// The hourly LAeq as bars, its top at y; returns its bottom.
double HourlyBars(CPageBuilder& b, const SWeightingSpan& span, const std::string& letter, double y);

} // namespace sonivel::reportdraw

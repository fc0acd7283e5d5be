#include <QPainter>

#include "common/Clock.h"
#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "files/PrintText.h"
#include "files/Printing.h"
#include "graph/TimeAxis.h"

namespace sonivel {
namespace {

QRect ToQRect(const SRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

void DrawSeries(QPainter& p, const SGraphPage& g, const SChartState& c, const CRecordList& records)
{
    const SVisibleRange range = VisibleRange(c, records.GetSize());
    const bool markers = MarkersShown(c);
    const QPen seriesPen(QColor(0, 0, 255), 0);
    const QPen markerPen(Qt::black, 4);
    const QPen previous = p.pen();
    for (std::size_t i = range.first; i + 1 < range.last; ++i) {
        const SPoint a = PrintedPoint(g, c, i, records.GetAt(i).m_dValue);
        const SPoint b = PrintedPoint(g, c, i + 1, records.GetAt(i + 1).m_dValue);
        p.setPen(seriesPen);
        p.drawLine(a.x, a.y, b.x, b.y);
        if (markers) {
            p.setPen(markerPen);
            p.drawEllipse(a.x - 2, a.y - 2, 4, 4);
            p.drawEllipse(b.x - 2, b.y - 2, 4, 4);
        }
    }
    p.setPen(previous);
}

void DrawLevelScale(QPainter& p, const SGraphPage& g, const SChartState& c, int N)
{
    const int right = PrintedPlotRight(g, c);
    for (int k = 10; k >= 0; --k) {
        const int y = PrintedLevelRow(g, c, k);
        TextAt(p, g.left - 5 * g.units.m, y - N / 2, PrintedLevelLabel(c, k));
        p.drawLine(g.left, y, right, y);
    }
    p.drawLine(g.left, g.top, g.left, PrintedPlotBottom(g, c));
}

// The time ticks and labels; false when a label could not be made.
bool DrawTimeAxis(QPainter& p, const SGraphPage& g, const SChartState& c, const CRecordList& records, int N)
{
    const STimeAxis axis = TimeAxisLabels(c, records);
    const int bottom = PrintedPlotBottom(g, c);
    for (int t = 0; t < axis.count; ++t) {
        const int x = PrintedTickColumn(g, c, t);
        p.drawLine(x, g.top, x, bottom);
        const std::string& text = axis.ticks[static_cast<std::size_t>(t)].shown;
        const double column = g.left + (t * c.m_nW / 5) / g.s - TextWidth(p, text) / 2;
        TextAt(p, TruncToInt(column), TruncToInt(g.top + c.m_nH / g.u + N / 2), text);
    }
    return !axis.failed;
}

void DrawTitle(QPainter& p, const SGraphPage& g)
{
    const SPageUnits& u = g.units;
    const std::string title = kGraphTitle;
    TextAt(p, u.hres / 2 - static_cast<int>(title.size() / 2) * u.m, u.J, title);
    const std::string time = PrintTimeText(Now());
    TextAt(p, u.hres / 2 - static_cast<int>(time.size() / 2) * u.m, 2 * u.J, time);
}

void DrawStatistics(QPainter& p, const SGraphPage& g, int N, const SStatBlock& block)
{
    const RTStatistics& s = block.stats;
    const int m = g.units.m;
    const int x = g.left;
    const int y0 = g.units.vres / 2 + g.top;
    TextAt(p, x, y0, "Start Time:");
    TextAt(p, x + 11 * m, y0, s.strStartTime);
    TextAt(p, x, y0 + N, "Maxnum:");
    TextAt(p, x + 11 * m, y0 + N, Format("%.2f", s.dMax));
    TextAt(p, x + 17 * m, y0 + N, s.strMaxTime);
    TextAt(p, x, y0 + 2 * N, "Minnum:");
    TextAt(p, x + 11 * m, y0 + 2 * N, Format("%.2f", s.dMin));
    TextAt(p, x + 17 * m, y0 + 2 * N, s.strMinTime);
    TextAt(p, x, y0 + 3 * N, "Sample Rate:");
    TextAt(p, x + 13 * m, y0 + 3 * N, Format("%.2f", block.dSampleRate));
    TextAt(p, x, y0 + 4 * N, "Average:");
    TextAt(p, x + 11 * m, y0 + 4 * N, Format("%.2f", s.dAverage));
}

} // namespace

bool PrintGraphPage(QPainter& p, const SGraphPage& g, const SChartState& chart, const CRecordList& records,
                    const SStatBlock& stats)
{
    CPrintWaitCursor wait;
    DrawSeries(p, g, chart, records);
    for (const SRect& mask : PrintedMasks(g, chart))
        p.fillRect(ToQRect(mask), Qt::white);

    const QFont previousFont = p.font();
    p.setFont(PrintFont(p.device(), g.units.J));
    const int N = p.fontMetrics().lineSpacing();
    DrawLevelScale(p, g, chart, N);
    const bool timesOk = DrawTimeAxis(p, g, chart, records, N);
    DrawTitle(p, g);
    DrawStatistics(p, g, N, stats);
    p.setFont(previousFont);
    return timesOk;
}

void PrintGraph(CPrintRX& job, QWidget* parent, const SChartState& chart, const CRecordList& records,
                const SStatBlock& stats)
{
    if (records.IsEmpty() || job.BeginJob(parent) == -1)
        return;
    if (!job.StartJobDoc())
        return;
    const SGraphPage page = GraphPageGeometry(chart, job.HorzRes(), job.VertRes());
    job.StartJobPage();
    const bool timesOk = PrintGraphPage(job.Painter(), page, chart, records, stats);
    job.EndJobPage();
    job.EndJob();
    if (!timesOk)
        Dialogs().Message(parent, QString::fromLatin1(kTimeFormatWrong), QString::fromLatin1(kPrintDocName));
}

} // namespace sonivel

#include <QPainter>
#include <QPolygon>
#include <vector>

#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "files/PrintPlacement.h"
#include "files/PrintText.h"
#include "files/Printing.h"
#include "graph/TimeAxis.h"

namespace sonivel {
namespace {

QRect ToQRect(const SRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// The series, clipped to the plot: points of a zoomed or scrolled chart that
// lie outside it leave no trace on the page. One polyline of at most two
// points per printed column, with markers at its points when the chart shows
// markers (a record per column then).
void DrawSeries(QPainter& p, const SGraphPage& g, const SChartState& c, const CRecordList& records)
{
    const std::vector<SPoint> series = PrintedSeries(g, c, records);
    QPolygon line;
    line.reserve(static_cast<int>(series.size()));
    for (const SPoint& pt : series)
        line.append(QPoint(pt.x, pt.y));
    p.save();
    p.setClipRect(ToQRect(PrintedPlotRect(g, c)));
    p.setPen(QPen(QColor(0, 0, 255), 0));
    p.drawPolyline(line);
    if (MarkersShown(c)) {
        p.setPen(QPen(Qt::black, 4));
        // Centre and radius in floating point: a point far off the page stays far off.
        for (const SPoint& pt : series)
            p.drawEllipse(QPointF(pt.x, pt.y), 2.0, 2.0);
    }
    p.restore();
}

void DrawGrid(QPainter& p, const SGraphPage& g, const SChartState& c, const STimeAxis& axis)
{
    const int right = PrintedPlotRight(g, c);
    const int bottom = PrintedPlotBottom(g, c);
    for (int k = 10; k >= 0; --k) {
        const int y = PrintedLevelRow(g, c, k);
        p.drawLine(g.left, y, right, y);
    }
    p.drawLine(g.left, g.top, g.left, bottom);
    for (int t = 0; t < axis.count; ++t) {
        const int x = PrintedTickColumn(g, c, t);
        p.drawLine(x, g.top, x, bottom);
    }
}

} // namespace

bool PrintGraphPage(QPainter& p, const SGraphPage& g, const SChartState& chart, const CRecordList& records,
                    const SStatBlock& stats)
{
    CPrintWaitCursor wait;
    DrawSeries(p, g, chart, records);

    const QFont previousFont = p.font();
    p.setFont(PrintFont(p.device(), g.units.J));
    const STimeAxis axis = TimeAxisLabels(chart, records);
    DrawGrid(p, g, chart, axis);
    DrawTexts(p, GraphPageTexts(g, chart, axis, PrintTimeText(Now()), stats, PrintMeasure(p.font(), p.device())));
    p.setFont(previousFont);
    return !axis.failed;
}

void PrintGraph(CPrintRX& job, QWidget* parent, const SChartState& chart, const CRecordList& records,
                const SStatBlock& stats)
{
    if (records.IsEmpty() || job.BeginJob(parent) == -1)
        return;
    if (!job.StartJobDoc())
        return;
    const SGraphPage page = GraphPageGeometry(chart, job.HorzRes(), job.VertRes());
    if (job.StartJobPage() == -1)
        return;
    const bool timesOk = PrintGraphPage(job.Painter(), page, chart, records, stats);
    job.EndJobPage();
    if (job.EndJob() && !timesOk)
        Dialogs().Message(parent, QString::fromLatin1(kTimeFormatWrong), QString::fromLatin1(kPrintDocName));
}

} // namespace sonivel

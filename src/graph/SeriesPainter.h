#pragma once
#include <QColor>

#include "graph/ChartState.h"
#include "graph/SeriesGeometry.h"
#include "records/RecordList.h"

class QPainter;

namespace sonivel {

// Draws the series of records [range.first, range.last): a one-pixel line
// through neighbouring samples, with markers at more than three pixels per
// sample. The merged drawing gives exactly the pixels of one segment per
// neighbouring pair: segments that stay in one pixel column are joined into a
// single vertical line over that column's span, segments that cross columns
// are drawn as they are.
void DrawSeriesLine(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange range,
                    QColor color, bool merged);

// One vertical cursor line, two pixels wide, over the plot's height. Lines
// far outside the picture are left out (the margins would cover them).
void DrawCursorLine(QPainter& p, const SChartState& s, int column, QColor color, int pictureWidth);

} // namespace sonivel

#pragma once
#include "files/PrintLayout.h"
#include "files/PrintRX.h"
#include "graph/ChartState.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

class QPainter;
class QWidget;

namespace sonivel {

// Print Data: the statistics and every record as a table, as many pages as
// needed, each with a footer of the printing time and the page number.
// Nothing happens for an empty list or when the print dialog is cancelled; a
// printer, page or file that fails is reported by the job (CPrintRX).
void PrintData(CPrintRX& job, QWidget* parent, const CRecordList& records, const SStatBlock& stats);

// Print Graph: one page with the chart as it stands on screen (zoom and scroll
// position included), its level and time labels, the title, the printing time
// and the statistics. A time label that cannot be made is reported with
// "Time Format is wrong!" after the document has been ended. Failures of the
// printer or file are reported as for Print Data.
void PrintGraph(CPrintRX& job, QWidget* parent, const SChartState& chart, const CRecordList& records,
                const SStatBlock& stats);

// Draws the graph page on an open page, the series clipped to the plot; false
// when a time label could not be made (the remaining time labels are left
// out, the rest of the page is drawn).
bool PrintGraphPage(QPainter& p, const SGraphPage& page, const SChartState& chart, const CRecordList& records,
                    const SStatBlock& stats);

} // namespace sonivel

#pragma once
// Where the texts of the two printouts go. The print routines call these on
// the UI thread with the measures of the printout font on the printer; the
// tests call them with the same measures to check that no two texts of a page
// overlap. Pure arithmetic on the given measures: nothing can fail.
//
// Every text starts at the position the page design gives it. A text that a
// wider text before it on its line (or in the column before it) would touch
// moves right to one blank past it; a level label ends one blank left of the
// axis; the time labels stay below the lowest level label. The texts
// themselves are never changed.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "files/PrintLayout.h"
#include "graph/ChartState.h"
#include "graph/TimeAxis.h"
#include "records/ObjData.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace sonivel {

// A text with the top-left corner of its line box.
struct SPlacedText {
    int x = 0;
    int y = 0;
    std::string text;
};
using CPlacedTexts = std::vector<SPlacedText>;

// The printout font as the printer measures it.
struct STextMeasure {
    std::function<int(const std::string&)> width;   // advance width in device pixels
    int height = 0;        // ascent plus descent: the line box of one text
    int lineSpacing = 0;   // N: height plus leading
    int blank = 0;         // width of one blank: the least gap between two texts
};

// ---- Graph page ----

// Every text of the graph page: the title and the printing time, the level
// labels, the first axis.count time labels and the statistics.
CPlacedTexts GraphPageTexts(const SGraphPage& g, const SChartState& c, const STimeAxis& axis,
                            const std::string& printTime, const SStatBlock& stats, const STextMeasure& f);

// ---- Data table ----

// The columns of the table: the statistics values beside their labels, and
// the record number, time, unit and value columns with the row rule's end.
struct SDataColumns {
    int label = 0;
    int statValue = 0;
    int id = 0;
    int time = 0;
    int unit = 0;
    int value = 0;
    int ruleEnd = 0;
};
SDataColumns DataColumns(const SPageUnits& u, const CRecordList& records, const STextMeasure& f);

// The widest texts of the table's columns, measured a range of records at a
// time (DataColumns in pieces, for a caller that lets other work run between
// them): start from DataWidths(f), widen with every range of the records,
// then place the columns.
struct SDataWidths {
    int label = 0;
    int id = 0;
    int time = 0;
    int unit = 0;
    int value = 0;
};
SDataWidths DataWidths(const STextMeasure& f);
void WidenDataWidths(SDataWidths& w, const CRecordList& records, std::size_t first, std::size_t last,
                     const STextMeasure& f);
SDataColumns PlaceDataColumns(const SPageUnits& u, const SDataWidths& w, const STextMeasure& f);

// The first page's title, statistics and column heads.
CPlacedTexts DataFirstPageHeader(const SPageUnits& u, const SDataColumns& cols, const SStatBlock& stats,
                                 const STextMeasure& f);
// The title and column heads of every later page.
CPlacedTexts DataNextPageHeader(const SPageUnits& u, const SDataColumns& cols, const STextMeasure& f);
// The row of record i (numbered i + 1) on line y.
CPlacedTexts DataRowTexts(const SDataColumns& cols, int y, std::size_t i, const CObjData& r);
// The footer of page (1-based): the printing time and the page number.
CPlacedTexts DataFooterTexts(const SPageUnits& u, int page, const std::string& printTime, const STextMeasure& f);

} // namespace sonivel

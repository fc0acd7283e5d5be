#pragma once
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

#include "graph/ChartState.h"
#include "records/RecordList.h"
#include "monitor/Statistics.h"

namespace sonivel {

// Layout units of a printed page, from its printable size in device pixels.
struct SPageUnits {
    int hres = 0;   // printable width
    int vres = 0;   // printable height
    int J = 0;      // vres div 80: font height, title line, footer distance
    int K = 0;      // vres div 130: character unit of the data table
    int m = 0;      // hres div 130: character unit of the graph page
};
SPageUnits PageUnits(int hres, int vres);

// Footer and title texts.
inline constexpr const char* kPrintDocName = "Kova";
inline constexpr const char* kGraphTitle = "Decivox RealTime Graph";
std::string PrintTimeText(std::time_t now);   // "Time: %d-%d-%d  %d:%d:%d"
std::string PageNumberText(int page);         // "Page -%d-"

// ---- Data table ----

// Rows per page: (vres - 4J) div N, at least 1.
int RowsPerPage(const SPageUnits& u, int N);

// Where record i (of n) is printed. Record i is table row c = i + 7; row c
// goes on line J + N + (c mod R) x N of page (c - 1) div R, except that a row
// with c mod R = 0 closes its page on the last line J + N + R x N. Every
// record is printed once.
struct SRowPlace {
    int page = 0;             // 0-based
    int y = 0;                // top of the row's texts; the row rule runs along it
    bool closesPage = false;  // the page ends after this row and another follows
};
SRowPlace PlaceRecord(std::size_t i, std::size_t n, int R, const SPageUnits& u, int N);
int PageCount(std::size_t n, int R);

// The statistics texts of the table's first page, right of their labels.
std::string MaxEntryText(const RTStatistics& s);   // "%.2f" of the maximum, three blanks, its time
std::string MinEntryText(const RTStatistics& s);

// ---- Graph page ----

// The printed plot: from column left over the page width less left on each
// side, from line top down to vres div 2; s and u are screen pixels per
// printed pixel horizontally and vertically.
struct SGraphPage {
    SPageUnits units;
    int left = 0;
    int top = 0;
    double s = 1.0;
    double u = 1.0;
};
SGraphPage GraphPageGeometry(const SChartState& chart, int hres, int vres);

struct SRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Printed point of record i with level v, within +-kFarPixel (any level).
SPoint PrintedPoint(const SGraphPage& g, const SChartState& c, std::size_t i, double v);
// The printed series of the visible records as one polyline: the segments
// between records, with the records that fall in one printed column merged
// from the list's envelope into that column's span (as the screen merges
// them), so there are at most two points per printed column however many
// records there are. Where every column holds one record these are the
// records' printed points. Empty for fewer than two records.
std::vector<SPoint> PrintedSeries(const SGraphPage& g, const SChartState& c, const CRecordList& records);
// Bottom line of the printed plot: top + H / u.
int PrintedPlotBottom(const SGraphPage& g, const SChartState& c);
// Right end of the printed plot: left + W / s.
int PrintedPlotRight(const SGraphPage& g, const SChartState& c);
// Column of time tick t (0..5).
int PrintedTickColumn(const SGraphPage& g, const SChartState& c, int t);
// Line of level grid line k (10 at the bottom .. 0 at the top) and its label "%.1f".
int PrintedLevelRow(const SGraphPage& g, const SChartState& c, int k);
std::string PrintedLevelLabel(const SChartState& c, int k);
// The printed plot with its edge lines: the series is clipped to it.
SRect PrintedPlotRect(const SGraphPage& g, const SChartState& c);

} // namespace sonivel

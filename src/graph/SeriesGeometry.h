#pragma once
#include <cstddef>

#include "graph/ChartState.h"
#include "records/RecordList.h"

// Where the chart's series lands, without any drawing: the pixel of each
// record and the merging of one pixel column's segments into a single span.
// Called by the series painter on the UI thread at every redraw (and by the
// fuzz targets); pure arithmetic on the list it is given, which must outlive
// the objects made from it. Any level, infinities and NaN included, gives a
// pixel inside +-kFarPixel. A list with an envelope is read a few levels per
// pixel column, whatever its length.

namespace sonivel {

// Pixels are kept within this distance of the origin: far enough outside any
// picture that a line to a point beyond it crosses the picture within a
// fraction of a pixel of the exact line, near enough that the painting
// arithmetic on such a point (spans, marker boxes) cannot overflow.
inline constexpr int kFarPixel = 1 << 24;

// A pixel coordinate: trunc(v) clamped to +-kFarPixel (NaN gives 0).
int ClampPixel(double v);

// The coordinate rules of IndexToColumn and LevelToRow with the per-redraw
// terms worked out once; the operations and their order are theirs, so within
// +-kFarPixel the results are the same to the last bit. Another surface (the
// printed page) derives its own rules and keeps the merging below.
class CSeriesPoints {
public:
    CSeriesPoints(const SChartState& s, const CRecordList& records);
    virtual ~CSeriesPoints() = default;
    SPoint operator()(std::size_t i) const { return {Column(i), Row(m_records.LevelAt(i))}; }
    virtual int Column(std::size_t i) const;
    virtual int Row(double level) const;
    // Where Column(i) reaches x, solved for i without rounding (an estimate).
    virtual double IndexOfColumn(double x) const;
    const CRecordList& Records() const { return m_records; }
    // The column never falls as the index grows, and the row never rises as
    // a level that is a number grows (NaN has row Row(NaN)): true for every
    // state with finite offsets and positive, finite scales.
    virtual bool Ordered() const;

protected:
    const CRecordList& m_records;
    double m_xs, m_ys, m_yMin;
    int m_h;
    double m_xShift, m_yShift;
};

// What the merged drawing puts down: one-pixel column spans (top <= bottom)
// and the lines between columns.
class ISeriesSink {
public:
    virtual ~ISeriesSink() = default;
    virtual void Span(int x, int top, int bottom) = 0;
    virtual void Line(SPoint a, SPoint b) = 0;
};

// The segments i -> i+1 of the range (at least two records), with the
// segments that stay in one pixel column joined into one span over that
// column: together they cover exactly the pixels of the separate segments.
// When the points are ordered and the list's envelope covers the range, each
// column's records are found by a search on the column and its span, first
// and last levels come from the envelope; the calls on the sink are the same.
void MergeSeriesSegments(const CSeriesPoints& point, SVisibleRange range, ISeriesSink& sink);
// The same, visiting every record of the range (any list, any state).
void MergeEveryRecord(const CSeriesPoints& point, SVisibleRange range, ISeriesSink& sink);

} // namespace sonivel

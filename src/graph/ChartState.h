#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

namespace sonivel {

// A pixel position in the chart's client area.
struct SPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SPoint&) const = default;
};

// Fixed chart geometry: the plot starts at (45, 10); the margins take 90
// pixels of the width (45 left, 45 right) and 30 of the height (10 top,
// 20 bottom).
inline constexpr int kPlotLeft = 45;
inline constexpr int kPlotTop = 10;
inline constexpr int kMarginWidth = 90;
inline constexpr int kMarginHeight = 30;

// Cursor placing: idle, waiting for the second cursor B, waiting for cursor A.
enum ECursorState : int { kCursorIdle = 0, kCursorWaitB = 1, kCursorWaitA = 2 };

// The view state of a chart control: what zooming, scrolling, the cursors and
// the owners change. The owners set the geometry members directly.
struct SChartState {
    double m_dXScale = 0.0;   // samples per pixel
    double m_dYScale = 0.0;   // dB per pixel
    double m_dXMax = 20.0;    // sample span the horizontal axis must hold
    double m_dYMax = 130.0;   // top of the full level range
    double m_dXMin = 0.0;
    double m_dYMin = 0.0;
    int m_nW = 1;             // plot width in pixels (control width - 90)
    int m_nH = 1;             // plot height in pixels (control height - 30)
    double m_dXOffset = 0.0;  // sample index at the left edge of the plot
    double m_dYOffset = 0.0;  // level at the bottom edge of the plot

    int m_nCursorState = kCursorIdle;
    int m_nCursorA = -1;      // record index of cursor A, -1 when not set
    int m_nCursorB = -1;
    bool m_bBandShown = false;
    bool m_bDragging = false;
    bool m_bScaleNoticeSent = false;
    SPoint m_ptAnchor;        // where the left button went down
    SPoint m_ptDrag;          // latest pointer position of the drag
    SPoint m_ptDragCopy;
    SPoint m_ptTrack;         // latest pointer position while placing a cursor

    bool m_bFollow = false;   // a monitoring run is active: a zoomed chart follows the newest sample
    bool m_bZoomed = false;   // false = fit mode (the whole series is visible)
};

// Truncation toward zero into an int; values beyond the int range are clamped
// and NaN gives 0, so no pixel conversion is ever undefined.
inline int TruncToInt(double v)
{
    if (v < 2147483647.0 && v > -2147483648.0)
        return static_cast<int>(v);
    if (v >= 2147483647.0)
        return 2147483647;
    return v <= -2147483648.0 ? -2147483647 - 1 : 0;   // NaN fails every comparison
}

// Record index i to pixel column: trunc(45 + i/xs - (xo - xmin)/xs).
inline int IndexToColumn(const SChartState& s, double i)
{
    return TruncToInt(kPlotLeft + i / s.m_dXScale - (s.m_dXOffset - s.m_dXMin) / s.m_dXScale);
}
// Column of a cursor line: 45 + trunc(i/xs - (xo - xmin)/xs).
int CursorColumn(const SChartState& s, int i);
// Level v to pixel row: the bottom edge 10 + H shows the y offset.
inline int LevelToRow(const SChartState& s, double v)
{
    return TruncToInt(kPlotTop + (s.m_dYOffset - s.m_dYMin) / s.m_dYScale - (v - s.m_dYMin) / s.m_dYScale + s.m_nH);
}
// Pixel column to record index: (px - 45) * xs + (xo - xmin), rounded half up.
long long ColumnToIndex(const SChartState& s, int px);
// Strictly inside the plot: 45 < x < W + 45 and 10 < y < H + 10.
bool InsidePlot(const SChartState& s, int x, int y);

// The scale notice the control sends its parent: wParam = trunc(ys * 10000)
// (low 32 bits), lParam = trunc(yo * 10000).
struct SScaleNotice {
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
};
SScaleNotice MakeScaleNotice(const SChartState& s);

// The owner's initial setting (and the data-logger window's reset on a new
// group): plot size from the client size, full range 0..20 samples and
// 0..130 dB, offsets at the origin. The zoomed flag and the cursors are kept.
void SetInitialView(SChartState& s, int clientWidth, int clientHeight);

// ResetView's arithmetic: plot size from the control's size, full level range,
// scales from the ranges (the x maximum is kept), offsets 0, fit mode.
void ResetGeometry(SChartState& s, int width, int height);

// Fit mode: widens the horizontal span by 16/15 until the newest of n records
// fits, calling onScaleStep after each step. Zoomed mode: moves the view one
// sample right when following a run and the newest record reached the right
// edge. Returns the number of notices made.
int FitOrFollow(SChartState& s, std::size_t n, const std::function<void()>& onScaleStep);

// The records drawn: segments i -> i+1 for first <= i < last - 1.
struct SVisibleRange {
    std::size_t first = 0;
    std::size_t last = 0;
};
SVisibleRange VisibleRange(const SChartState& s, std::size_t n);

// Sample markers are drawn at more than three pixels per sample.
bool MarkersShown(const SChartState& s);

} // namespace sonivel

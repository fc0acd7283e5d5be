#pragma once
#include <QImage>
#include <QWidget>

#include "graph/ChartState.h"
#include "graph/ColorSettings.h"
#include "graph/TimeAxis.h"
#include "records/RecordList.h"

// The chart control: draws a record list as level over sample index, with
// time labels from the records, a rubber-band zoom, two measuring cursors and
// a live indication of the record under the pointer.
//
// The control owns no records: the owner hands it a list with every Redraw.
// The chart is painted in two parts. The base (background, series, margins,
// grid, axes and labels) is composed off screen once after a Redraw, when the
// control is next painted: Redraws in between cost nothing more, and a hidden
// control composes nothing until it is shown again. The overlay (zoom band,
// cursor lines, tracking line) is painted over the base in every paint, so a
// pointer move repaints only the columns and the band that change. Redraw is
// the owner's one call for "the data, the scales, the offsets, the colours or
// the size changed". The view state (scales, ranges, offsets, cursors) is public, as the owners
// set it directly. Changes are reported to the parent by three signals that
// stand for the chart's private messages; connect them directly (synchronous).
class CGraphicsBtn : public QWidget, public sonivel::SChartState {
    Q_OBJECT
public:
    explicit CGraphicsBtn(QWidget* parent = nullptr);
    ~CGraphicsBtn() override;

    // Stores the list (nullptr = an empty list) and draws everything. The flag
    // is not used (callers pass 1, the monitoring tick 0). A time label that
    // cannot be made is reported ("Time Format is wrong!") once per record
    // list, not at every redraw.
    void Redraw(const CRecordList* records, int flag);
    // Plot size from the control's size, full range, fit mode, then Redraw
    // with the stored list and a scale notice.
    void ResetView();

    const CRecordList* RecordList() const { return m_pRecords; }
    // The whole picture as of the last Redraw or pointer move, composed in one
    // pass in drawing order (the pixels the screen shows; tests and benchmarks
    // compare it).
    const QImage& Picture() const;
    // How many times the base was composed (a test hook).
    int BaseComposeCount() const { return m_nBaseComposes; }

    // Drawing the series segment by segment instead of per pixel column; the
    // picture is the same (tests and benchmarks compare the two).
    void SetPlainSeries(bool plain) { m_bPlainSeries = plain; }

    // The user colours, read from the colour settings file at construction.
    sonivel::Colorref m_clrBackground;
    sonivel::Colorref m_clrGrid;
    sonivel::Colorref m_clrLine;

signals:
    // The vertical scale or offset may have changed: wParam = trunc(ys*10000),
    // lParam = trunc(yo*10000).
    void scaleNotice(quint32 wParam, qint32 lParam);
    // which -1: cursor A placed or moving; -2: cursor B; index: the record.
    void cursorNotice(int which, int index);
    // The record under the pointer (never record 0).
    void indicationNotice(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // What moves over the base, taken at each Redraw and pointer move, so that
    // a paint shows the state of that moment.
    struct SOverlay {
        int cursorA = -1;
        int cursorB = -1;
        int cursorState = sonivel::kCursorIdle;
        sonivel::SPoint track;
        bool band = false;
        sonivel::SPoint anchor;
        sonivel::SPoint drag;
        sonivel::SPoint dragCopy;
    };

    void SendScaleNotice();
    void TakeOverlay();
    QRegion OverlayRegion() const;
    QRect PlotInterior() const;
    void ComposeBase();
    int ComposeInto(QImage& image, const SOverlay* overlay) const;
    const QImage& GridLayer();
    void PaintOverlay(QPainter& p);
    void DrawCursorLines(QPainter& p, const SOverlay& o) const;
    void DrawMargins(QPainter& p) const;
    void DrawGridLines(QPainter& p) const;
    void DrawLevelLabels(QPainter& p) const;
    void DrawTrackLine(QPainter& p, const SOverlay& o) const;
    void DrawTimeAxisLines(QPainter& p, int ticks) const;
    void DrawTimeLabels(QPainter& p, const sonivel::STimeAxis& axis) const;
    void DrawBand(QPainter& p, const SOverlay& o) const;
    void ReportTimeFormat();
    void NoteRecordList(const CRecordList* records);

    CRecordSelection m_emptyList;
    const CRecordList* m_pRecords = &m_emptyList;
    SOverlay m_overlay;
    QImage m_base;        // RGB32: the base as the screen shows it
    QImage m_gridLayer;   // transparent but for the lines drawn over the cursor lines
    bool m_bGridLayerStale = true;   // the grid layer is not yet made for the base
    int m_nTimeTicks = 0; // tick marks of the time axis in the base
    bool m_bBaseStale = true;
    int m_nBaseComposes = 0;
    mutable QImage m_picture;
    mutable bool m_bPictureStale = true;
    bool m_bPlainSeries = false;
    // An unreadable time is reported once per record list: the list it was
    // reported for is known by its address, its first record and its size, and
    // another list, a list emptied or shrunk, or another first record is a new
    // list.
    bool m_bTimeReported = false;
    const void* m_pFirstRecord = nullptr;
    std::size_t m_nRecordCount = 0;
};

#pragma once
#include <QImage>
#include <QWidget>

#include "graph/ChartState.h"
#include "graph/ColorSettings.h"
#include "records/RecordList.h"

// The chart control: draws a record list as level over sample index, with
// time labels from the records, a rubber-band zoom, two measuring cursors and
// a live indication of the record under the pointer.
//
// The control owns no records: the owner hands it a list with every Redraw.
// Every Redraw composes the whole chart off screen and shows it in one copy.
// The view state (scales, ranges, offsets, cursors) is public, as the owners
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
    // The picture of the last Redraw.
    const QImage& Picture() const { return m_image; }

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
    void SendScaleNotice();
    void Compose();
    void DrawSeries(QPainter& p);
    void DrawMargins(QPainter& p);
    void DrawGrid(QPainter& p);
    bool DrawTimeAxis(QPainter& p);
    void DrawBand(QPainter& p);
    void ReportTimeFormat();
    void NoteRecordList(const CRecordList* records);

    CRecordSelection m_emptyList;
    const CRecordList* m_pRecords = &m_emptyList;
    QImage m_image;
    bool m_bPlainSeries = false;
    // An unreadable time is reported once per record list: the list it was
    // reported for is known by its address, its first record and its size, and
    // another list, a list emptied or shrunk, or another first record is a new
    // list.
    bool m_bTimeReported = false;
    const void* m_pFirstRecord = nullptr;
    std::size_t m_nRecordCount = 0;
};

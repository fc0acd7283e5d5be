#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

#include "graph/ChartScroll.h"
#include "records/RecordList.h"

class CGraphicsBtn;
class QScrollBar;
class QWidget;

// The parent side of a chart, shared by the main view and the data-logger
// window: binds to the parent's controls by resource id (see ChartIds.h) and
// handles what the chart reports.
//
//   scaleNotice      -> OnScaleNotice: hidden level statics, scroll-bar ranges
//   cursorNotice     -> OnCursorNotice: cursor A/B fields and the statistics
//                       between the cursors
//   indicationNotice -> OnIndication: "Value:" and "Time:" of the record under
//                       the pointer
//   scroll bars 1039/1038 -> OnVScroll/OnHScroll (line steps and the released
//                       thumb pan the chart; page steps change nothing)
//   button 1000 "UnDo Zoom" -> the chart's ResetView
//
// Text fields may be any widget with a "text" property (QLineEdit, QLabel).
// Controls missing from the parent are skipped. Create the controls before
// this object; it must not outlive the chart.
class CChartParent : public QObject {
    Q_OBJECT
public:
    // The record list the parent shows (the chart draws it on scrolling).
    using RecordSource = std::function<const CRecordList*()>;

    struct SOptions {
        // The main view acts only on scroll requests from its own bars; for
        // any other source it repaints itself.
        bool bOnlyOwnScrollBars = false;
    };

    CChartParent(QWidget* parent, CGraphicsBtn* chart, RecordSource records, SOptions options);
    CChartParent(QWidget* parent, CGraphicsBtn* chart, RecordSource records)
        : CChartParent(parent, chart, std::move(records), SOptions{}) {}

    void OnScaleNotice(quint32 wParam, qint32 lParam);
    void OnCursorNotice(int which, int index);
    void OnIndication(int index);
    void OnVScroll(sonivel::EScrollCode code, int thumb, QObject* source);
    void OnHScroll(sonivel::EScrollCode code, int thumb, QObject* source);

    // The parent's copy of cursor A, -1 until the chart reports one.
    int CursorA() const { return m_nCursorA; }

private:
    void SetText(int id, const QString& text);
    void SetLevelText(int id, int index);
    void SetTimeText(int id, int index);
    void BindScrollBar(QScrollBar* bar, bool vertical);
    void RunScaleHandlerFromChart();
    const CRecordList* Records() const;

    QWidget* m_pParent;
    QPointer<CGraphicsBtn> m_pChart;
    RecordSource m_records;
    SOptions m_options;
    QPointer<QScrollBar> m_pVBar;
    QPointer<QScrollBar> m_pHBar;
    int m_nCursorA = -1;
};

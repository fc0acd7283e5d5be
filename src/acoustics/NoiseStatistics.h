#pragma once
#include <QObject>
#include <QPointer>

#include "acoustics/NoiseFigures.h"
#include "acoustics/NoiseStatsWnd.h"
#include "records/RecordList.h"

class CGraphicsBtn;
class QWidget;

// The Noise Statistics of one owner window (the main view or the data-logger
// window): the figures of its two spans and the window that shows them.
//   Span 0, the owner's series: the monitoring run, kept record by record as
//   the run appends it (Reset when the store is emptied, Add per record, Fill
//   once when a whole list arrives), or the data-logger window's selected
//   group (Fill when a group is chosen, Reset when it is forgotten).
//   Span 1, the records between cursors A and B of the owner's chart, once
//   both are placed; recomputed from the chart's record list when the
//   cursors change (placed, cleared by a double-click or a right click) or
//   the series does.
// The window is made by the first ShowWindow and raised by the next ones; the
// figures are turned into texts only while it is on screen. Holds no record:
// Reset and Fill may come right before the records they saw are deleted.
// UI thread only.
class CNoiseStatistics : public QObject {
    Q_OBJECT
public:
    enum class ESeries { MonitoringRun, SelectedGroup };

    // owner: the window the Noise Statistics window belongs to; chart: the
    // owner's chart (its cursors and record list), which must outlive nothing
    // here (it is watched, not owned).
    CNoiseStatistics(QWidget* owner, CGraphicsBtn* chart, ESeries series);
    ~CNoiseStatistics() override;

    void Reset();
    void Add(const CObjData& record);
    void Fill(const CRecordList& records);
    // The same with the figures of records made beforehand by FiguresOf
    // (which any thread may run while records stay as they are).
    void Fill(const CRecordList& records, sonivel::CFiguresByWeighting figures);
    static sonivel::CFiguresByWeighting FiguresOf(const CRecordList& records);

    // The Noise Statistics command: opens the window, or raises it.
    void ShowWindow();
    CNoiseStatsWnd* Window() const { return m_pWnd; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SeriesChanged();
    void ShowSeries();
    void ScheduleCursorCheck();
    void CheckCursors();
    bool Shown() const;

    QWidget* m_pOwner;
    QPointer<CGraphicsBtn> m_pChart;
    const QObject* m_pWatched;   // the chart, compared only (it may be half destroyed)
    ESeries m_series;
    QPointer<CNoiseStatsWnd> m_pWnd;

    sonivel::CFiguresByWeighting m_figures;   // span 0
    int m_nGroup = 0;                // the selected group's number
    bool m_bSeriesStale = true;      // span 0 changed since the window showed it

    // Span 1 as last computed: the cursors and how many records of the range
    // the list held (a range past the end of the list is no span).
    struct SCursorKey {
        int a = -1, b = -1;
        bool valid = false;
        bool operator==(const SCursorKey&) const = default;
    };
    SCursorKey m_cursors;
    bool m_bCursorStale = true;
    bool m_bCheckQueued = false;
};

#include "acoustics/NoiseStatistics.h"

#include <QEvent>
#include <QWidget>

#include "acoustics/FigureTexts.h"
#include "graph/GraphicsBtn.h"

namespace {

QString Records(long long n)
{
    return n == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(n);
}

long long RecordCount(const sonivel::CFiguresByWeighting& figures)
{
    long long n = 0;
    for (const auto& [unit, running] : figures.Weightings())
        n += running.Count();
    return n;
}

} // namespace

CNoiseStatistics::CNoiseStatistics(QWidget* owner, CGraphicsBtn* chart, ESeries series)
    : QObject(owner), m_pOwner(owner), m_pChart(chart), m_pWatched(chart), m_series(series)
{
    if (chart) {
        connect(chart, &CGraphicsBtn::cursorNotice, this, [this] { ScheduleCursorCheck(); });
        chart->installEventFilter(this);
    }
}

CNoiseStatistics::~CNoiseStatistics()
{
    delete m_pWnd.data();
}

bool CNoiseStatistics::eventFilter(QObject* watched, QEvent* event)
{
    // A double-click or a right click clears the cursors without a notice;
    // the chart changes them after this filter, so they are read afterwards.
    if (watched == m_pWatched
        && (event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::MouseButtonRelease))
        ScheduleCursorCheck();
    return QObject::eventFilter(watched, event);
}

void CNoiseStatistics::Reset()
{
    m_figures = {};
    m_nGroup = 0;
    m_bCursorStale = true;
    SeriesChanged();
}

void CNoiseStatistics::Add(const CObjData& record)
{
    m_figures.Add(record);
    SeriesChanged();
}

void CNoiseStatistics::Fill(const CRecordList& records)
{
    Fill(records, FiguresOf(records));
}

sonivel::CFiguresByWeighting CNoiseStatistics::FiguresOf(const CRecordList& records)
{
    sonivel::CFiguresByWeighting figures;
    for (std::size_t i = 0; i < records.GetSize(); ++i)
        figures.Add(records.GetAt(i));
    return figures;
}

void CNoiseStatistics::Fill(const CRecordList& records, sonivel::CFiguresByWeighting figures)
{
    m_figures = std::move(figures);
    m_nGroup = records.IsEmpty() ? 0 : records.GetAt(0).m_nGroup;
    m_bCursorStale = true;   // the same cursors may now stand on other records
    SeriesChanged();
}

void CNoiseStatistics::SeriesChanged()
{
    m_bSeriesStale = true;
    ShowSeries();
    CheckCursors();   // a range past the end of the series may have come to exist, or gone
}

bool CNoiseStatistics::Shown() const
{
    return m_pWnd && m_pWnd->isVisible();
}

void CNoiseStatistics::ShowSeries()
{
    if (!Shown() || !m_bSeriesStale)
        return;
    m_bSeriesStale = false;
    const long long n = RecordCount(m_figures);
    QString caption;
    if (m_series == ESeries::MonitoringRun)
        caption = n ? QStringLiteral("The whole monitoring run: %1.").arg(Records(n))
                    : QStringLiteral("No record of a monitoring run yet.");
    else
        caption = n ? QStringLiteral("Group %1: %2.").arg(m_nGroup).arg(Records(n))
                    : QStringLiteral("Double-click a group in the list to see its figures.");
    m_pWnd->ShowSpan(0, caption, sonivel::SpanTexts(m_figures));
}

void CNoiseStatistics::ScheduleCursorCheck()
{
    if (m_bCheckQueued)
        return;
    m_bCheckQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bCheckQueued = false;
            CheckCursors();
        },
        Qt::QueuedConnection);
}

void CNoiseStatistics::CheckCursors()
{
    if (!m_pChart)
        return;
    const CRecordList* list = m_pChart->RecordList();
    SCursorKey key{m_pChart->m_nCursorA, m_pChart->m_nCursorB, false};
    key.valid = list && key.a >= 0 && key.b > key.a && static_cast<std::size_t>(key.b) < list->GetSize();
    if (key != m_cursors) {
        m_cursors = key;
        m_bCursorStale = true;
    }
    if (!Shown() || !m_bCursorStale)
        return;
    m_bCursorStale = false;
    if (!key.valid) {
        m_pWnd->ShowSpan(1, QStringLiteral("Place cursors A and B on the chart: double-click it, then click at A "
                                           "and at B."),
                         {});
        return;
    }
    const sonivel::CFiguresByWeighting figures =
        sonivel::FiguresOfRange(*list, static_cast<std::size_t>(key.a), static_cast<std::size_t>(key.b));
    m_pWnd->ShowSpan(1,
                     QStringLiteral("Records %1 to %2, between cursors A and B: %3.")
                         .arg(key.a + 1)
                         .arg(key.b + 1)
                         .arg(Records(key.b - key.a + 1)),
                     sonivel::SpanTexts(figures));
}

void CNoiseStatistics::ShowWindow()
{
    const bool made = !m_pWnd;
    if (made) {
        const QString series = m_series == ESeries::MonitoringRun ? QStringLiteral("Monitoring run")
                                                                  : QStringLiteral("Selected group");
        m_pWnd = new CNoiseStatsWnd(m_pOwner->window(), {series, QStringLiteral("Between cursors A and B")});
    }
    if (m_pWnd->isMinimized())
        m_pWnd->showNormal();
    else
        m_pWnd->show();
    ShowSeries();
    CheckCursors();
    if (made)
        m_pWnd->GrowToFit();
    m_pWnd->raise();
    m_pWnd->activateWindow();
}

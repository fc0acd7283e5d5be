#include "graph/ChartParent.h"

#include <QAbstractButton>
#include <QScrollBar>

#include "common/Text.h"
#include "dialogs/Dialogs.h"
#include "graph/ChartIds.h"
#include "graph/ChartLabels.h"
#include "graph/CursorStats.h"
#include "graph/GraphicsBtn.h"

using namespace sonivel;

namespace {

// The scroll request behind a slider action; the thumb counts only once released.
EScrollCode CodeOf(QScrollBar* bar, int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return EScrollCode::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return EScrollCode::LineForward;
    case QAbstractSlider::SliderMove: return bar->isSliderDown() ? EScrollCode::Other : EScrollCode::ThumbPosition;
    default: return EScrollCode::Other;
    }
}

QString Level(double v)
{
    return QString::fromLatin1(Format("%.1f", v));
}

} // namespace

CChartParent::CChartParent(QWidget* parent, CGraphicsBtn* chart, RecordSource records, SOptions options)
    : QObject(parent), m_pParent(parent), m_pChart(chart), m_records(std::move(records)), m_options(options)
{
    connect(chart, &CGraphicsBtn::scaleNotice, this, &CChartParent::OnScaleNotice, Qt::DirectConnection);
    connect(chart, &CGraphicsBtn::cursorNotice, this, &CChartParent::OnCursorNotice, Qt::DirectConnection);
    connect(chart, &CGraphicsBtn::indicationNotice, this, &CChartParent::OnIndication, Qt::DirectConnection);
    if (auto* undo = FindById<QAbstractButton>(parent, chartid::kUndoZoom))
        connect(undo, &QAbstractButton::clicked, chart, [chart] { chart->ResetView(); });
    BindScrollBar(FindById<QScrollBar>(parent, chartid::kVScroll), true);
    BindScrollBar(FindById<QScrollBar>(parent, chartid::kHScroll), false);
}

void CChartParent::BindScrollBar(QScrollBar* bar, bool vertical)
{
    if (!bar)
        return;
    (vertical ? m_pVBar : m_pHBar) = bar;
    // The thumb acts when it is released, not while it is dragged.
    bar->setTracking(false);
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, vertical](int action) {
        const EScrollCode code = CodeOf(bar, action);
        if (code == EScrollCode::Other && action != QAbstractSlider::SliderMove) {
            bar->setSliderPosition(bar->value());   // page steps change nothing
            return;
        }
        if (vertical)
            OnVScroll(code, bar->sliderPosition(), bar);
        else
            OnHScroll(code, bar->sliderPosition(), bar);
    });
}

const CRecordList* CChartParent::Records() const
{
    return m_records ? m_records() : nullptr;
}

void CChartParent::SetText(int id, const QString& text)
{
    // A pointer move sets every figure again: an unchanged field is left
    // alone, so it is not repainted.
    QObject* field = FindObjectById(m_pParent, id);
    if (field && field->property("text").toString() != text)
        field->setProperty("text", text);
}

void CChartParent::SetLevelText(int id, int index)
{
    SetText(id, Level(Records()->LevelAt(static_cast<std::size_t>(index))));
}

void CChartParent::SetTimeText(int id, int index)
{
    SetText(id, QString::fromLatin1(Records()->GetAt(static_cast<std::size_t>(index)).m_strTime));
}

void CChartParent::OnScaleNotice(quint32 wParam, qint32 lParam)
{
    if (!m_pChart)
        return;
    if (const auto texts = HiddenLevelTexts(wParam, lParam, m_pChart->height()))
        for (int k = 0; k <= 10; ++k)
            SetText(chartid::kFirstLevelStatic + k, QString::fromLatin1((*texts)[k]));
    const SScrollBars bars = ScrollBarsFor(*m_pChart);
    if (m_pVBar) {
        m_pVBar->setRange(0, bars.vMax > 0 ? bars.vMax : 0);
        m_pVBar->setValue(bars.vPos);
    }
    if (m_pHBar) {
        m_pHBar->setRange(0, bars.hMax > 0 ? bars.hMax : 0);
        m_pHBar->setValue(bars.hPos);
    }
}

void CChartParent::OnCursorNotice(int which, int index)
{
    const CRecordList* records = Records();
    // The chart reports only records of the list it draws; a list that
    // changed since is not read past its end.
    if (!records || index < 0 || static_cast<std::size_t>(index) >= records->GetSize())
        return;
    if (which == -1) {
        m_nCursorA = index;
        SetLevelText(chartid::kCursorAValue, index);
        SetTimeText(chartid::kCursorATime, index);
        for (int id : {chartid::kCursorBTime, chartid::kMaxValue, chartid::kMaxTime, chartid::kMinTime,
                       chartid::kMinValue, chartid::kAverage, chartid::kCursorBValue})
            SetText(id, QString());
        return;
    }
    SetLevelText(chartid::kCursorBValue, index);
    SetTimeText(chartid::kCursorBTime, index);
    const SCursorStats st = StatsBetween(*records, m_nCursorA, index);
    if (st.count == 0)
        return;
    if (st.maxIndex) {
        SetText(chartid::kMaxValue, Level(st.max));
        SetTimeText(chartid::kMaxTime, static_cast<int>(*st.maxIndex));
    }
    if (st.minIndex) {
        SetText(chartid::kMinValue, Level(st.min));
        SetTimeText(chartid::kMinTime, static_cast<int>(*st.minIndex));
    }
    SetText(chartid::kAverage, Level(st.average));
    SetText(chartid::kQuantity, QString::number(st.count));
}

void CChartParent::OnIndication(int index)
{
    const CRecordList* records = Records();
    if (!records || index < 0 || static_cast<std::size_t>(index) >= records->GetSize())
        return;
    SetLevelText(chartid::kIndicationValue, index);
    SetTimeText(chartid::kIndicationTime, index);
}

void CChartParent::RunScaleHandlerFromChart()
{
    const SScaleNotice n = MakeScaleNotice(*m_pChart);
    OnScaleNotice(n.wParam, n.lParam);
}

void CChartParent::OnVScroll(EScrollCode code, int thumb, QObject* source)
{
    if (!m_pChart || !m_pVBar)
        return;
    if (m_options.bOnlyOwnScrollBars && source != m_pVBar) {
        m_pParent->update();
        return;
    }
    const std::optional<int> p = ScrollVertical(*m_pChart, code, m_pVBar->value(), thumb);
    if (!p)
        return;
    m_pVBar->setSliderPosition(*p);
    m_pChart->Redraw(Records(), 1);
    RunScaleHandlerFromChart();
}

void CChartParent::OnHScroll(EScrollCode code, int thumb, QObject* source)
{
    if (!m_pChart || !m_pHBar)
        return;
    if (m_options.bOnlyOwnScrollBars && source != m_pHBar) {
        m_pParent->update();
        return;
    }
    const std::optional<int> p = ScrollHorizontal(*m_pChart, code, m_pHBar->value(), thumb);
    if (!p)
        return;
    m_pHBar->setSliderPosition(*p);
    m_pChart->Redraw(Records(), 1);
}

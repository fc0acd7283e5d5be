#include "graph/GraphicsBtn.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/Dialogs.h"
#include "graph/ChartLabels.h"
#include "graph/ChartMouse.h"
#include "graph/SeriesPainter.h"
#include "graph/TimeAxis.h"

using namespace sonivel;

namespace {

const QColor kMarginColor(170, 175, 195);
const QColor kAxisColor(100, 0, 100);
const QColor kCursorAColor(110, 30, 200);
const QColor kCursorBColor(0, 255, 0);

QColor ToQColor(Colorref c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QPoint PosOf(const QMouseEvent* e)
{
    return e->position().toPoint();
}

} // namespace

CGraphicsBtn::CGraphicsBtn(QWidget* parent) : QWidget(parent)
{
    const SChartColors colors = ReadColorSettings(ColorSettingsPath());
    m_clrBackground = colors.background;
    m_clrGrid = colors.grid;
    m_clrLine = colors.line;
    m_dXScale = (m_dXMax - m_dXMin) / m_nW;
    m_dYScale = (m_dYMax - m_dYMin) / m_nH;
    m_dYOffset = m_dYMin;
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CGraphicsBtn::~CGraphicsBtn() = default;

void CGraphicsBtn::SendScaleNotice()
{
    const SScaleNotice n = MakeScaleNotice(*this);
    emit scaleNotice(n.wParam, n.lParam);
}

void CGraphicsBtn::NoteRecordList(const CRecordList* records)
{
    const CRecordList* list = records ? records : &m_emptyList;
    const std::size_t n = list->GetSize();
    const void* first = n > 0 ? list->RecordKey(0) : nullptr;
    if (list != m_pRecords || first != m_pFirstRecord || n < m_nRecordCount || n == 0)
        m_bTimeReported = false;
    m_pRecords = list;
    m_pFirstRecord = first;
    m_nRecordCount = n;
}

void CGraphicsBtn::Redraw(const CRecordList* records, int /*flag*/)
{
    NoteRecordList(records);
    if (!m_bScaleNoticeSent) {
        SendScaleNotice();
        m_bScaleNoticeSent = true;
    }
    FitOrFollow(*this, m_pRecords->GetSize(), [this] { SendScaleNotice(); });
    Compose();
    update();
}

void CGraphicsBtn::Compose()
{
    if (size().isEmpty())
        return;
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    bool timeOk = true;
    {
        QPainter p(&m_image);
        p.setFont(font());
        p.fillRect(kPlotLeft, kPlotTop, m_nW, m_nH, ToQColor(m_clrBackground));
        if (!m_pRecords->IsEmpty())
            DrawSeries(p);
        DrawMargins(p);
        DrawGrid(p);
        timeOk = DrawTimeAxis(p);
        if (m_bBandShown)
            DrawBand(p);
    }
    if (!timeOk)
        ReportTimeFormat();
}

void CGraphicsBtn::DrawSeries(QPainter& p)
{
    DrawSeriesLine(p, *this, *m_pRecords, VisibleRange(*this, m_pRecords->GetSize()), ToQColor(m_clrLine),
                   !m_bPlainSeries);
    if (m_nCursorA != -1)
        DrawCursorLine(p, *this, CursorColumn(*this, m_nCursorA), kCursorAColor, width());
    if (m_nCursorB != -1)
        DrawCursorLine(p, *this, CursorColumn(*this, m_nCursorB), kCursorBColor, width());
}

void CGraphicsBtn::DrawMargins(QPainter& p)
{
    // The margins are the chart's only clipping: they cover whatever the
    // series and the cursor lines drew outside the plot.
    p.fillRect(0, m_nH + 10, m_nW + 90, 20, kMarginColor);
    p.fillRect(0, 0, 45, m_nH + 10, kMarginColor);
    p.fillRect(0, 0, m_nW + 90, 10, kMarginColor);
    p.fillRect(m_nW + 45, 0, 45, m_nH + 25, kMarginColor);
}

void CGraphicsBtn::DrawGrid(QPainter& p)
{
    const int bottom = m_nH + kPlotTop;
    p.setPen(QPen(ToQColor(m_clrGrid), 1, Qt::DotLine, Qt::FlatCap));
    for (int i = 0; i <= 20; ++i) {
        const int x = TruncToInt(m_nW * i / 20.0 + kPlotLeft);
        p.drawLine(x, kPlotTop, x, bottom);
    }
    const QFontMetrics fm(font());
    const int th = fm.height() + fm.leading();
    const std::array<std::string, 11> labels = LevelLabels(*this);
    for (int r = 0; r <= 10; ++r) {
        const int y = LevelRow(*this, r);
        p.setPen(QPen(ToQColor(m_clrGrid), 1, Qt::DotLine, Qt::FlatCap));
        p.drawLine(kPlotLeft, y, m_nW + kPlotLeft, y);
        const QString text = QString::fromLatin1(labels[r]);
        p.setPen(Qt::black);
        p.drawText(43 - fm.horizontalAdvance(text), y - th / 2 + fm.ascent(), text);
    }

    p.setPen(QPen(kAxisColor, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kPlotLeft, kPlotTop, kPlotLeft, bottom);
    for (int k = 10; k >= 0; --k) {
        const int y = TruncToInt(m_nH * k / 10.0 + kPlotTop);
        p.drawLine(kPlotLeft, y, kPlotLeft + 8, y);
    }

    if (m_nCursorState > kCursorIdle && m_ptTrack.x > 0 && m_ptTrack.x < m_nW + kPlotLeft && m_ptTrack.y > 0
        && m_ptTrack.y < m_nH) {
        p.setPen(QPen(m_nCursorState == kCursorWaitA ? kCursorAColor : kCursorBColor, 2, Qt::SolidLine,
                      Qt::FlatCap));
        p.drawLine(m_ptTrack.x, kPlotTop, m_ptTrack.x, m_nH + 8);
    }
}

bool CGraphicsBtn::DrawTimeAxis(QPainter& p)
{
    const int axisRow = m_nH + kPlotTop;
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kPlotLeft, axisRow, m_nW + kPlotLeft, axisRow);

    const STimeAxis axis = TimeAxisLabels(*this, *m_pRecords);
    const QFontMetrics fm(font());
    for (int t = 0; t <= 5; ++t) {
        const int x = TimeTickColumn(*this, t);
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(x, axisRow, x, axisRow - 5);
        if (t >= axis.count)
            break;   // the time could not be made: the rest is skipped
        const QString text = QString::fromLatin1(axis.ticks[t].shown);
        p.setPen(Qt::black);
        p.drawText(x - fm.horizontalAdvance(text) / 2, m_nH + 16 + fm.ascent(), text);
    }
    return !axis.failed;
}

void CGraphicsBtn::DrawBand(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QPoint anchor(m_ptAnchor.x, m_ptAnchor.y);
    p.drawRect(QRect(anchor, QPoint(m_ptDrag.x, m_ptDrag.y)).normalized());
    if (!(m_ptDragCopy == m_ptDrag))
        p.drawRect(QRect(anchor, QPoint(m_ptDragCopy.x, m_ptDragCopy.y)).normalized());
}

void CGraphicsBtn::ReportTimeFormat()
{
    // Once per record list, not per redraw (every pointer move may redraw);
    // marked before the message, as the chart may be redrawn while it is shown.
    if (m_bTimeReported)
        return;
    m_bTimeReported = true;
    Dialogs().Message(this, QString::fromLatin1(kTimeFormatWrong), QStringLiteral("Kova"));
}

void CGraphicsBtn::ResetView()
{
    ResetGeometry(*this, width(), height());
    Redraw(m_pRecords, 1);
    SendScaleNotice();
}

void CGraphicsBtn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_image.isNull())
        p.fillRect(rect(), kMarginColor);
    else
        p.drawImage(0, 0, m_image);
}

void CGraphicsBtn::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ResetView();
}

void CGraphicsBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = PosOf(event);
        if (const auto c = OnLeftDown(*this, pos.x(), pos.y(), m_pRecords->GetSize()))
            emit cursorNotice(c->which, c->index);
    }
}

void CGraphicsBtn::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = PosOf(event);
    const SMoveResult r = OnMouseMove(*this, pos.x(), pos.y(), m_pRecords->GetSize());
    if (r.redraw)
        Redraw(m_pRecords, 1);
    if (r.trackAfterRedraw)
        m_ptTrack = *r.trackAfterRedraw;
    if (r.cursor)
        emit cursorNotice(r.cursor->which, r.cursor->index);
    if (r.indication)
        emit indicationNotice(*r.indication);
}

void CGraphicsBtn::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = PosOf(event);
    if (event->button() == Qt::LeftButton) {
        if (OnLeftUp(*this, pos.x(), pos.y()))
            SendScaleNotice();
        Redraw(m_pRecords, 1);
    } else if (event->button() == Qt::RightButton) {
        OnRightUp(*this);
        Redraw(m_pRecords, 1);
    }
}

void CGraphicsBtn::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = PosOf(event);
        OnDoubleClick(*this, pos.x(), pos.y());
    }
}

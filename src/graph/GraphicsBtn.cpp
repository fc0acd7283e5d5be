#include "graph/GraphicsBtn.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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
    TakeOverlay();
    m_bBaseStale = true;
    update();
    if (!size().isEmpty() && TimeAxisLabels(*this, *m_pRecords).failed)
        ReportTimeFormat();
}

void CGraphicsBtn::TakeOverlay()
{
    m_overlay = SOverlay{m_nCursorA,  m_nCursorB, m_nCursorState, m_ptTrack,
                         m_bBandShown, m_ptAnchor, m_ptDrag,      m_ptDragCopy};
    m_bPictureStale = true;
}

QRect CGraphicsBtn::PlotInterior() const
{
    // What the margins leave uncovered.
    return QRect(kPlotLeft, kPlotTop, m_nW, m_nH);
}

QRegion CGraphicsBtn::OverlayRegion() const
{
    // Columns of the vertical lines (two pixels wide, a pixel to spare) and the
    // band's outline.
    QRegion r;
    const auto column = [&](int x) { r += QRect(x - 2, 0, 5, height()); };
    if (m_overlay.cursorA != -1)
        column(CursorColumn(*this, m_overlay.cursorA));
    if (m_overlay.cursorB != -1)
        column(CursorColumn(*this, m_overlay.cursorB));
    if (m_overlay.cursorState > kCursorIdle)
        column(m_overlay.track.x);
    if (m_overlay.band) {
        const QPoint anchor(m_overlay.anchor.x, m_overlay.anchor.y);
        for (const SPoint& to : {m_overlay.drag, m_overlay.dragCopy})
            r += QRect(anchor, QPoint(to.x, to.y)).normalized().adjusted(-1, -1, 1, 1);
    }
    return r;
}

void CGraphicsBtn::ComposeBase()
{
    m_bBaseStale = false;
    if (size().isEmpty())
        return;
    ++m_nBaseComposes;
    m_nTimeTicks = ComposeInto(m_base, nullptr);
    m_bGridLayerStale = true;
}

const QImage& CGraphicsBtn::GridLayer()
{
    // Only a paint with cursor lines needs it: made then, once per base.
    if (m_bGridLayerStale) {
        m_bGridLayerStale = false;
        if (m_gridLayer.size() != size())
            m_gridLayer = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        m_gridLayer.fill(Qt::transparent);
        QPainter p(&m_gridLayer);
        DrawGridLines(p);
        DrawTimeAxisLines(p, m_nTimeTicks);
    }
    return m_gridLayer;
}

const QImage& CGraphicsBtn::Picture() const
{
    if (m_bPictureStale && !size().isEmpty()) {
        m_bPictureStale = false;
        ComposeInto(m_picture, &m_overlay);
    }
    return m_picture;
}

int CGraphicsBtn::ComposeInto(QImage& image, const SOverlay* overlay) const
{
    // The drawing order of the whole picture; the base leaves out the overlay.
    if (image.size() != size())
        image = QImage(size(), QImage::Format_RGB32);
    QPainter p(&image);
    p.setFont(font());
    p.fillRect(kPlotLeft, kPlotTop, m_nW, m_nH, ToQColor(m_clrBackground));
    if (!m_pRecords->IsEmpty())
        DrawSeriesLine(p, *this, *m_pRecords, VisibleRange(*this, m_pRecords->GetSize()), ToQColor(m_clrLine),
                       !m_bPlainSeries);
    if (overlay)
        DrawCursorLines(p, *overlay);
    DrawMargins(p);
    DrawGridLines(p);
    DrawLevelLabels(p);
    if (overlay)
        DrawTrackLine(p, *overlay);
    const STimeAxis axis = TimeAxisLabels(*this, *m_pRecords);
    // A tick mark is drawn for every label made and for the first that fails.
    const int ticks = std::min(axis.count + 1, 6);
    DrawTimeAxisLines(p, ticks);
    DrawTimeLabels(p, axis);
    if (overlay && overlay->band)
        DrawBand(p, *overlay);
    return ticks;
}

void CGraphicsBtn::PaintOverlay(QPainter& p)
{
    // The cursor lines lie under the margins and the grid: they are clipped to
    // the plot and the grid's lines are laid over them again. The tracking
    // line lies under the time axis' tick marks, the band over everything.
    QRegion cursors;
    for (const int c : {m_overlay.cursorA, m_overlay.cursorB}) {
        if (c != -1)
            cursors += QRect(CursorColumn(*this, c) - 2, 0, 5, height());
    }
    cursors &= PlotInterior();
    if (!cursors.isEmpty()) {
        p.save();
        p.setClipRegion(cursors);
        DrawCursorLines(p, m_overlay);
        p.drawImage(0, 0, GridLayer());
        p.restore();
    }
    DrawTrackLine(p, m_overlay);
    DrawTimeAxisLines(p, m_nTimeTicks);
    if (m_overlay.band)
        DrawBand(p, m_overlay);
}

void CGraphicsBtn::DrawCursorLines(QPainter& p, const SOverlay& o) const
{
    if (o.cursorA != -1)
        DrawCursorLine(p, *this, CursorColumn(*this, o.cursorA), kCursorAColor, width());
    if (o.cursorB != -1)
        DrawCursorLine(p, *this, CursorColumn(*this, o.cursorB), kCursorBColor, width());
}

void CGraphicsBtn::DrawMargins(QPainter& p) const
{
    // The margins are the chart's only clipping: they cover whatever the
    // series and the cursor lines drew outside the plot.
    p.fillRect(0, m_nH + 10, m_nW + 90, 20, kMarginColor);
    p.fillRect(0, 0, 45, m_nH + 10, kMarginColor);
    p.fillRect(0, 0, m_nW + 90, 10, kMarginColor);
    p.fillRect(m_nW + 45, 0, 45, m_nH + 25, kMarginColor);
}

void CGraphicsBtn::DrawGridLines(QPainter& p) const
{
    const int bottom = m_nH + kPlotTop;
    p.setPen(QPen(ToQColor(m_clrGrid), 1, Qt::DotLine, Qt::FlatCap));
    for (int i = 0; i <= 20; ++i) {
        const int x = TruncToInt(m_nW * i / 20.0 + kPlotLeft);
        p.drawLine(x, kPlotTop, x, bottom);
    }
    for (int r = 0; r <= 10; ++r) {
        const int y = LevelRow(*this, r);
        p.drawLine(kPlotLeft, y, m_nW + kPlotLeft, y);
    }

    p.setPen(QPen(kAxisColor, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kPlotLeft, kPlotTop, kPlotLeft, bottom);
    for (int k = 10; k >= 0; --k) {
        const int y = TruncToInt(m_nH * k / 10.0 + kPlotTop);
        p.drawLine(kPlotLeft, y, kPlotLeft + 8, y);
    }
}

void CGraphicsBtn::DrawLevelLabels(QPainter& p) const
{
    // Right of the labels' column lies the left margin's edge, so no label
    // touches a grid line.
    const QFontMetrics fm(font());
    const int th = fm.height() + fm.leading();
    const std::array<std::string, 11> labels = LevelLabels(*this);
    p.setPen(Qt::black);
    for (int r = 0; r <= 10; ++r) {
        const int y = LevelRow(*this, r);
        const QString text = QString::fromLatin1(labels[r]);
        p.drawText(43 - fm.horizontalAdvance(text), y - th / 2 + fm.ascent(), text);
    }
}

void CGraphicsBtn::DrawTrackLine(QPainter& p, const SOverlay& o) const
{
    if (o.cursorState > kCursorIdle && o.track.x > 0 && o.track.x < m_nW + kPlotLeft && o.track.y > 0
        && o.track.y < m_nH) {
        p.setPen(QPen(o.cursorState == kCursorWaitA ? kCursorAColor : kCursorBColor, 2, Qt::SolidLine,
                      Qt::FlatCap));
        p.drawLine(o.track.x, kPlotTop, o.track.x, m_nH + 8);
    }
}

void CGraphicsBtn::DrawTimeAxisLines(QPainter& p, int ticks) const
{
    const int axisRow = m_nH + kPlotTop;
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(kPlotLeft, axisRow, m_nW + kPlotLeft, axisRow);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    for (int t = 0; t < ticks; ++t) {
        const int x = TimeTickColumn(*this, t);
        p.drawLine(x, axisRow, x, axisRow - 5);
    }
}

void CGraphicsBtn::DrawTimeLabels(QPainter& p, const STimeAxis& axis) const
{
    // Below the tick marks; a time that could not be made ends the labels.
    const QFontMetrics fm(font());
    p.setPen(Qt::black);
    for (int t = 0; t < std::min(axis.count, 6); ++t) {
        const int x = TimeTickColumn(*this, t);
        const QString text = QString::fromLatin1(axis.ticks[t].shown);
        p.drawText(x - fm.horizontalAdvance(text) / 2, m_nH + 16 + fm.ascent(), text);
    }
}

void CGraphicsBtn::DrawBand(QPainter& p, const SOverlay& o) const
{
    p.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QPoint anchor(o.anchor.x, o.anchor.y);
    p.drawRect(QRect(anchor, QPoint(o.drag.x, o.drag.y)).normalized());
    if (!(o.dragCopy == o.drag))
        p.drawRect(QRect(anchor, QPoint(o.dragCopy.x, o.dragCopy.y)).normalized());
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
    if (m_bBaseStale)
        ComposeBase();
    QPainter p(this);
    if (m_base.isNull()) {
        p.fillRect(rect(), kMarginColor);
        return;
    }
    p.drawImage(0, 0, m_base);
    PaintOverlay(p);
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
    if (r.repaint == ERepaint::Recompose) {
        Redraw(m_pRecords, 1);
    } else if (r.repaint == ERepaint::OverlayOnly) {
        QRegion changed = OverlayRegion();
        TakeOverlay();
        update(changed + OverlayRegion());
    }
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

#include "graph/SeriesPainter.h"

#include <QImage>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <map>
#include <vector>

namespace sonivel {
namespace {

// The pixels of a one-pixel line from (0, 0) to (1, dy) as the painter draws
// it, learnt once per dy from the painter itself. Lines with integer ends are
// drawn the same wherever they lie, so the pattern can be stamped at any place
// where the whole line is inside the picture.
const std::vector<QPoint>& StepPattern(int dy)
{
    static std::map<int, std::vector<QPoint>> cache;
    auto it = cache.find(dy);
    if (it != cache.end())
        return it->second;
    const int h = std::abs(dy) + 7;
    QImage scratch(5, h, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    const QPoint origin(2, dy < 0 ? h - 4 : 3);
    {
        QPainter p(&scratch);
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(origin, origin + QPoint(1, dy));
    }
    std::vector<QPoint> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 5; ++x)
            if (scratch.pixel(x, y) != qRgb(255, 255, 255))
                pixels.push_back(QPoint(x, y) - origin);
    return cache.emplace(dy, std::move(pixels)).first->second;
}

QPoint ToQPoint(SPoint q)
{
    return {q.x, q.y};
}

// Through the painter: any device, any state.
class CPainterSink final : public ISeriesSink {
public:
    CPainterSink(QPainter& p, QColor color) : m_p(p), m_color(color) {}
    ~CPainterSink() override
    {
        for (const QRect& r : m_spans)
            m_p.fillRect(r, m_color);
        m_p.drawLines(m_lines.constData(), static_cast<int>(m_lines.size()));
    }
    void Span(int x, int top, int bottom) override { m_spans.append(QRect(x, top, 1, bottom - top + 1)); }
    void Line(SPoint a, SPoint b) override { m_lines.append(QLine(ToQPoint(a), ToQPoint(b))); }

private:
    QPainter& m_p;
    QColor m_color;
    QVarLengthArray<QRect, 2048> m_spans;
    QVarLengthArray<QLine, 2048> m_lines;
};

// Straight into a 32-bit picture the painter draws on without transform or
// clip; lines that are not one column step or not wholly inside go to the
// painter.
class CImageSink final : public ISeriesSink {
public:
    CImageSink(QPainter& p, QImage& image, QColor color)
        : m_image(image), m_bits(reinterpret_cast<QRgb*>(image.bits())),
          m_stride(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))), m_pixel(color.rgb() | 0xff000000u),
          m_painter(p, color)
    {
    }
    void Span(int x, int top, int bottom) override
    {
        if (x < 0 || x >= m_image.width())
            return;
        top = std::max(top, 0);
        bottom = std::min(bottom, m_image.height() - 1);
        QRgb* px = m_bits + top * m_stride + x;
        for (int y = top; y <= bottom; ++y, px += m_stride)
            *px = m_pixel;
    }
    void Line(SPoint a, SPoint b) override
    {
        if (b.x - a.x != 1 || !Inside(a, 3) || !Inside(b, 3)) {
            m_painter.Line(a, b);
            return;
        }
        for (const QPoint& d : StepPattern(b.y - a.y))
            Put(a.x + d.x(), a.y + d.y());
    }

private:
    bool Inside(SPoint q, int border) const
    {
        return q.x >= border && q.y >= border && q.x < m_image.width() - border && q.y < m_image.height() - border;
    }
    void Put(int x, int y) { m_bits[y * m_stride + x] = m_pixel; }

    QImage& m_image;
    QRgb* m_bits;
    qsizetype m_stride;
    QRgb m_pixel;
    CPainterSink m_painter;
};

QImage* DirectTarget(QPainter& p)
{
    if (p.device()->devType() != QInternal::Image || !p.transform().isIdentity() || p.hasClipping()
        || p.compositionMode() != QPainter::CompositionMode_SourceOver || p.opacity() != 1.0)
        return nullptr;
    auto* image = static_cast<QImage*>(p.device());
    const QImage::Format f = image->format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied
        ? image
        : nullptr;
}

void DrawEverySegment(QPainter& p, const CSeriesPoints& point, SVisibleRange r)
{
    QPoint prev = ToQPoint(point(r.first));
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const QPoint cur = ToQPoint(point(i));
        p.drawLine(prev, cur);
        prev = cur;
    }
}

} // namespace

void DrawSeriesLine(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange range,
                    QColor color, bool merged)
{
    if (range.last < range.first + 2)   // one record: no segment, no marker
        return;
    const CSeriesPoints point(s, records);
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
    if (!merged) {
        DrawEverySegment(p, point, range);
    } else if (QImage* image = DirectTarget(p)) {
        CImageSink sink(p, *image, color);
        MergeSeriesSegments(point, range, sink);
    } else {
        CPainterSink sink(p, color);
        MergeSeriesSegments(point, range, sink);
    }

    if (MarkersShown(s)) {
        p.setPen(QPen(color, 3));
        p.setBrush(Qt::NoBrush);
        for (std::size_t i = range.first; i < range.last; ++i)
            p.drawEllipse(ToQPoint(point(i)), 1, 1);
    }
}

void DrawCursorLine(QPainter& p, const SChartState& s, int column, QColor color, int pictureWidth)
{
    if (column < -2 || column > pictureWidth + 2)
        return;
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(column, kPlotTop, column, kPlotTop + s.m_nH);
}

} // namespace sonivel

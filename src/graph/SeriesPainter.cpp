#include "graph/SeriesPainter.h"

#include <QImage>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <map>
#include <vector>

namespace sonivel {
namespace {

// The coordinate rules with the per-redraw terms worked out once; the
// operations and their order are those of IndexToColumn and LevelToRow, so the
// results are the same to the last bit.
class CPixelMapper {
public:
    CPixelMapper(const SChartState& s, const CRecordList& records)
        : m_records(records), m_xs(s.m_dXScale), m_ys(s.m_dYScale), m_yMin(s.m_dYMin), m_h(s.m_nH),
          m_xShift((s.m_dXOffset - s.m_dXMin) / s.m_dXScale), m_yShift((s.m_dYOffset - s.m_dYMin) / s.m_dYScale)
    {
    }
    QPoint operator()(std::size_t i) const
    {
        const double v = m_records.GetAt(i).m_dValue;
        return QPoint(TruncToInt(kPlotLeft + static_cast<double>(i) / m_xs - m_xShift),
                      TruncToInt(kPlotTop + m_yShift - (v - m_yMin) / m_ys + m_h));
    }

private:
    const CRecordList& m_records;
    double m_xs, m_ys, m_yMin;
    int m_h;
    double m_xShift, m_yShift;
};

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

// What the merged drawing puts down: one-pixel column spans and the lines
// between columns.
class CSeriesSink {
public:
    virtual ~CSeriesSink() = default;
    virtual void Span(int x, int top, int bottom) = 0;
    virtual void Line(QPoint a, QPoint b) = 0;
};

// Through the painter: any device, any state.
class CPainterSink final : public CSeriesSink {
public:
    CPainterSink(QPainter& p, QColor color) : m_p(p), m_color(color) {}
    ~CPainterSink() override
    {
        for (const QRect& r : m_spans)
            m_p.fillRect(r, m_color);
        m_p.drawLines(m_lines.constData(), static_cast<int>(m_lines.size()));
    }
    void Span(int x, int top, int bottom) override { m_spans.append(QRect(x, top, 1, bottom - top + 1)); }
    void Line(QPoint a, QPoint b) override { m_lines.append(QLine(a, b)); }

private:
    QPainter& m_p;
    QColor m_color;
    QVarLengthArray<QRect, 2048> m_spans;
    QVarLengthArray<QLine, 2048> m_lines;
};

// Straight into a 32-bit picture the painter draws on without transform or
// clip; lines that are not one column step or not wholly inside go to the
// painter.
class CImageSink final : public CSeriesSink {
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
    void Line(QPoint a, QPoint b) override
    {
        const int dy = b.y() - a.y();
        if (b.x() - a.x() != 1 || !Inside(a, 3) || !Inside(b, 3)) {
            m_painter.Line(a, b);
            return;
        }
        for (const QPoint& d : StepPattern(dy))
            Put(a.x() + d.x(), a.y() + d.y());
    }

private:
    bool Inside(QPoint q, int border) const
    {
        return q.x() >= border && q.y() >= border && q.x() < m_image.width() - border
            && q.y() < m_image.height() - border;
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

void DrawEverySegment(QPainter& p, const CPixelMapper& point, SVisibleRange r)
{
    QPoint prev = point(r.first);
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const QPoint cur = point(i);
        p.drawLine(prev, cur);
        prev = cur;
    }
}

void DrawMergedSegments(CSeriesSink& sink, const CPixelMapper& point, SVisibleRange r)
{
    // The column grows with the record index, so each column's samples are
    // consecutive; their segments join end to end and together cover the
    // column from its highest to its lowest point: one span. The segments
    // between columns are drawn as they are.
    QPoint prev = point(r.first);
    int top = prev.y();
    int bottom = prev.y();
    bool span = false;
    for (std::size_t i = r.first + 1; i < r.last; ++i) {
        const QPoint cur = point(i);
        if (cur.x() == prev.x()) {
            top = std::min(top, cur.y());
            bottom = std::max(bottom, cur.y());
            span = true;
        } else {
            if (span)
                sink.Span(prev.x(), top, bottom);
            sink.Line(prev, cur);
            top = bottom = cur.y();
            span = false;
        }
        prev = cur;
    }
    if (span)
        sink.Span(prev.x(), top, bottom);
}

} // namespace

void DrawSeriesLine(QPainter& p, const SChartState& s, const CRecordList& records, SVisibleRange range,
                    QColor color, bool merged)
{
    if (range.last < range.first + 2)   // one record: no segment, no marker
        return;
    const CPixelMapper point(s, records);
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
    if (!merged) {
        DrawEverySegment(p, point, range);
    } else if (QImage* image = DirectTarget(p)) {
        CImageSink sink(p, *image, color);
        DrawMergedSegments(sink, point, range);
    } else {
        CPainterSink sink(p, color);
        DrawMergedSegments(sink, point, range);
    }

    if (MarkersShown(s)) {
        p.setPen(QPen(color, 3));
        p.setBrush(Qt::NoBrush);
        for (std::size_t i = range.first; i < range.last; ++i)
            p.drawEllipse(point(i), 1, 1);
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

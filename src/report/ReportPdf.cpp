#include "report/ReportPdf.h"

#include <array>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "report/ReportPages.h"

namespace sonivel {

namespace {

constexpr int kResolution = 1200;                  // device units per inch
constexpr double kScale = kResolution / 72.0;      // device units per point

// Liberation Sans has Arial's metrics; the others are its stand-ins.
QFont MakeFont(EReportFont which)
{
    const SReportFontLook look = ReportFontLook(which);
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(look.size);
    font.setWeight(look.bold ? QFont::Bold : QFont::Normal);
    font.setKerning(true);
    return font;
}

QColor Colour(EReportColour colour)
{
    switch (colour) {
    case EReportColour::Ink: return {0x1f, 0x29, 0x33};
    case EReportColour::Muted: return {0x5f, 0x6b, 0x7a};
    case EReportColour::Rule: return {0xb8, 0xc2, 0xcc};
    case EReportColour::Grid: return {0xdd, 0xe3, 0xe9};
    case EReportColour::Accent: return {0x1d, 0x4e, 0x7c};
    case EReportColour::Series: return {0x3a, 0x78, 0xb5};
    case EReportColour::LeqLine: return {0xc0, 0x39, 0x2b};
    case EReportColour::Bar: return {0x4f, 0x86, 0xbd};
    case EReportColour::Band: return {0xee, 0xf2, 0xf6};
    case EReportColour::Paper: return Qt::white;
    }
    return Qt::black;
}

QRectF Device(const SReportRect& r)
{
    return {r.x * kScale, r.y * kScale, r.w * kScale, r.h * kScale};
}

class CPagePainter {
public:
    CPagePainter(QPainter& p, const std::array<QFont, 10>& fonts) : m_p(p), m_fonts(fonts) {}
    void operator()(const SReportFill& f) { m_p.fillRect(Device(f.box), Colour(f.colour)); }
    void operator()(const SReportLine& l)
    {
        QPen pen(Colour(l.colour), l.width * kScale, l.dashed ? Qt::CustomDashLine : Qt::SolidLine, Qt::FlatCap);
        if (l.dashed)
            pen.setDashPattern({4, 2.5});
        m_p.setPen(pen);
        m_p.drawLine(QPointF(l.x1 * kScale, l.y1 * kScale), QPointF(l.x2 * kScale, l.y2 * kScale));
    }
    void operator()(const SReportText& t)
    {
        m_p.setFont(m_fonts[static_cast<std::size_t>(t.font)]);
        m_p.setPen(Colour(t.colour));
        const Qt::Alignment h = t.align == EReportAlign::Right    ? Qt::AlignRight
                                : t.align == EReportAlign::Centre ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
        m_p.drawText(Device(t.box), static_cast<int>(h | Qt::AlignVCenter | Qt::TextDontClip),
                     QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size())));
    }

private:
    QPainter& m_p;
    const std::array<QFont, 10>& m_fonts;
};

} // namespace

std::string ReportPdfBytes(const std::vector<SReportSource>& sources, const std::string& issued)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Noise report"));
    writer.setCreator(QStringLiteral("Sonivel"));

    std::array<QFont, 10> fonts;
    std::vector<QFontMetricsF> metrics;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        fonts[i] = MakeFont(static_cast<EReportFont>(i));
        metrics.emplace_back(fonts[i], &writer);
    }
    const ReportTextWidth width = [&metrics](const std::string& text, EReportFont font) {
        return metrics[static_cast<std::size_t>(font)].horizontalAdvance(
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) / kScale;
    };
    const std::vector<SReportPage> pages = LayoutReport(sources, issued, width);

    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    painter.setRenderHint(QPainter::Antialiasing);
    CPagePainter paint(painter, fonts);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage())
            return {};
        for (const SReportItem& item : pages[i].items)
            std::visit(paint, item);
    }
    if (!painter.end() || !bytes.contains("%%EOF"))
        return {};
    return bytes.toStdString();
}

SFileResult WriteReportPdf(const std::string& path, const std::vector<SReportSource>& sources,
                           const std::string& issued, EPathSource source)
{
    const std::string bytes = ReportPdfBytes(sources, issued);
    if (bytes.empty())
        return FileFailure("Cannot write", path, "the PDF document could not be made");
    return WriteWholeFile(path, bytes, source);
}

} // namespace sonivel

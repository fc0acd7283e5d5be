#pragma once
// The printout font and the writing of placed texts, for the two print
// routines on the UI thread.
#include <algorithm>
#include <string>

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>

#include "files/PrintPlacement.h"

namespace sonivel {

// Arial, else a face with Arial's metrics, else any sans-serif face.
inline QStringList PrintFontFaces()
{
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
            QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
}

// The printout font: the first of faces the system has, in regular weight,
// with a line height (ascent plus descent) of at most height device pixels
// of device, as close to it as the face allows.
inline QFont PrintFont(QPaintDevice* device, int height, const QStringList& faces = PrintFontFaces())
{
    QFont font;
    font.setFamilies(faces);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    height = height > 0 ? height : 1;
    font.setPixelSize(height);
    const int measured = QFontMetrics(font, device).height();
    if (measured > 0)
        font.setPixelSize(std::max(1, height * height / measured));
    // Rounding can leave the line a pixel higher than asked.
    while (font.pixelSize() > 1 && QFontMetrics(font, device).height() > height)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

inline QString Latin1Text(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The measures of font as device prints it.
inline STextMeasure PrintMeasure(const QFont& font, QPaintDevice* device)
{
    const QFontMetrics metrics(font, device);
    STextMeasure f;
    f.width = [metrics](const std::string& text) { return metrics.horizontalAdvance(Latin1Text(text)); };
    f.height = metrics.height();
    f.lineSpacing = metrics.lineSpacing();
    f.blank = metrics.horizontalAdvance(QLatin1Char(' '));
    return f;
}

// Writes each text with its top-left corner at its place, in the painter's font.
inline void DrawTexts(QPainter& p, const CPlacedTexts& texts)
{
    const int ascent = p.fontMetrics().ascent();
    for (const SPlacedText& t : texts)
        p.drawText(QPointF(t.x, static_cast<double>(t.y) + ascent), Latin1Text(t.text));
}

// The wait cursor while pages are composed.
class CPrintWaitCursor {
public:
    CPrintWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CPrintWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CPrintWaitCursor(const CPrintWaitCursor&) = delete;
    CPrintWaitCursor& operator=(const CPrintWaitCursor&) = delete;
};

} // namespace sonivel

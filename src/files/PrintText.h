#pragma once
#include <algorithm>
#include <string>

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace sonivel {

// The printout font: Arial (or the face the system puts in its place), as
// light as that face comes, with a line height (ascent plus descent) of
// height device pixels of device.
inline QFont PrintFont(QPaintDevice* device, int height)
{
    // Arial, else a face with Arial's metrics, else any sans-serif face.
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::ExtraLight);
    height = height > 0 ? height : 1;
    font.setPixelSize(height);
    const int measured = QFontMetrics(font, device).height();
    if (measured > 0)
        font.setPixelSize(std::max(1, height * height / measured));
    return font;
}

// Writes text with its top-left corner at (x, y).
inline void TextAt(QPainter& p, int x, int y, const std::string& text)
{
    p.drawText(x, y + p.fontMetrics().ascent(), QString::fromLatin1(text.data(), static_cast<int>(text.size())));
}

inline int TextWidth(QPainter& p, const std::string& text)
{
    return p.fontMetrics().horizontalAdvance(QString::fromLatin1(text.data(), static_cast<int>(text.size())));
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

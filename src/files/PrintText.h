#pragma once
#include <string>

#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

namespace sonivel {

// The printout font: Arial (or the nearest sans-serif face), light, J device
// pixels high.
inline QFont PrintFont(int height)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(height > 0 ? height : 1);
    font.setWeight(QFont::ExtraLight);
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

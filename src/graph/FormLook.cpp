#include "graph/FormLook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace formlook {

int FieldWidth(const QString& text, const QFont& font, const QStyle* style)
{
    // A line edit scrolls its text unless the text and one pixel for the
    // cursor fit its contents less two pixels at each side.
    const QFontMetrics fm(font);
    QStyleOptionFrame opt;
    opt.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt);
    opt.fontMetrics = fm;
    const QSize contents(fm.horizontalAdvance(text) + 1 + 2 * 2, fm.height());
    return style->sizeFromContents(QStyle::CT_LineEdit, &opt, contents).width();
}

int ButtonWidth(const QString& text, const QFont& font, const QStyle* style)
{
    QStyleOptionButton opt;
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt);
    // The label is drawn inside the frame; half the style's margin keeps it
    // off the frame.
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &opt) / 2;
    return QFontMetrics(font).horizontalAdvance(text) + 2 * (frame + margin);
}

void ApplyFormColours(QWidget* window)
{
    // A palette, not a style sheet, on the window: a style sheet there would
    // stop the children from inheriting the window's colours, and they would
    // take the desktop's (white text on the light background of a dark desktop).
    const QColor background(170, 175, 195);
    window->setAutoFillBackground(true);
    QPalette pal = window->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        pal.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        pal.setColor(QPalette::Active, role, Qt::black);
        pal.setColor(QPalette::Inactive, role, Qt::black);
        pal.setColor(QPalette::Disabled, role, QColor(60, 60, 60));
    }
    window->setPalette(pal);
    // Lists and scroll bars keep the desktop's colours (every role marked as
    // their own, or they would inherit the window's again).
    for (QWidget* w : window->findChildren<QWidget*>())
        if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QScrollBar*>(w)) {
            QPalette desktop = QApplication::palette(w);
            desktop.setResolveMask(~QPalette::ResolveMask(0));
            w->setPalette(desktop);
        }
    if (auto* rate = window->findChild<QComboBox*>(QStringLiteral("id1007")))
        rate->setStyleSheet(QStringLiteral(
            "QComboBox { background-color: rgb(100, 100, 100); color: white;"
            " border: 1px solid rgb(70, 70, 80); padding: 1px 4px; }"
            "QComboBox:disabled { color: rgb(230, 230, 230); }"
            "QComboBox QAbstractItemView { background-color: white; color: black; }"));
}

} // namespace formlook

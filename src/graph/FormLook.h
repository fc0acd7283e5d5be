#pragma once
#include <QString>

class QFont;
class QStyle;
class QWidget;

// The look shared by the two windows that show a chart (the main view's form
// and the data-logger window): the room their texts need in the font actually
// in use, and colours that stay readable under any desktop palette.
// UI thread only; nothing here fails.

namespace formlook {

// The longest texts the read-only fields show: a record's date and time, a
// level, a count of records of a logger group (up to 65535).
inline const QString kLongestTime = QStringLiteral("30-12-2011,23:59:59");
inline const QString kLongestLevel = QStringLiteral("199.9");
inline const QString kLongestCount = QStringLiteral("65535");

// The width of a line edit that shows text whole (not scrolled) in font, with
// the frame and inner margins of style.
int FieldWidth(const QString& text, const QFont& font, const QStyle* style);

// The width of a push button whose label is text, with the style's margins.
int ButtonWidth(const QString& text, const QFont& font, const QStyle* style);

// Gives window the fixed background red 170, green 175, blue 195 for itself,
// its labels, group boxes, buttons and menu bar, with black texts (dark grey
// when disabled) whatever the desktop's palette is; the sampling-rate box 1007
// (a descendant of window) shows white text on grey 100 by its own style
// sheet. Edits keep the platform's colours for their text; lists and scroll
// bars (present when this is called) keep the platform's colours altogether.
void ApplyFormColours(QWidget* window);

} // namespace formlook

// How the main view and the data-logger window look on this platform: with
// each font the set-up script installs every text fits its control and no two
// controls of the main form overlap; under a light and a dark desktop palette
// every text stands out from the background it is drawn on.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTableView>
#include <gtest/gtest.h>

#include "dialogs/Dialogs.h"
#include "logger/DataLogDlg.h"
#include "records/RecordList.h"
#include "support/ScriptedDialogs.h"
#include "view/MyKovaView.h"

namespace {

// Both windows, built after the font and palette of a case are in place.
struct SWindows {
    SWindows()
    {
        view.resize(view.sizeHint());
        view.show();
        logger.show();
        QApplication::processEvents();
    }
    testsupport::CScriptedDialogs dialogs;
    CMyKovaView view{nullptr, SViewOptions{QString(), false}};
    CRecordStore store;
    CDataLogDlg logger{nullptr, store};
};

// Restores the application's font and palette after a case.
class AppLook : public ::testing::Test {
protected:
    ~AppLook() override
    {
        QApplication::setFont(m_font);
        QApplication::setPalette(m_palette);
    }

private:
    QFont m_font = QApplication::font();
    QPalette m_palette = QApplication::palette();
};

// The controls of a window that show text, as the user sees them.
template <class T>
std::vector<T*> Shown(QWidget* root)
{
    std::vector<T*> shown;
    for (T* w : root->findChildren<T*>())
        if (w->isVisibleTo(root))
            shown.push_back(w);
    return shown;
}

std::string Name(const QWidget* w)
{
    return std::string(w->metaObject()->className()) + " " + w->objectName().toStdString();
}

// ---- text fits -------------------------------------------------------------

// The longest text each read-only field of the two windows shows: date and
// time, a count of records (longestCount: a monitoring run holds up to
// 9999999, a logger group up to 65535), or a level.
QString LongestText(int id, const QString& longestCount)
{
    switch (id) {
    case 1001: case 1003: case 1006: case 1011: case 1024: case 1026: case 1028: case 1034:
        return QStringLiteral("30-12-2011,23:59:59");
    case 1009: case 1032:
        return longestCount;
    default:
        return QStringLiteral("199.9");
    }
}

// Qt's line edit scrolls its text (hiding the first characters) unless the
// text's width and one pixel for the cursor fit the contents rectangle less
// its text margins and two pixels at each side.
void ExpectFieldFits(QLineEdit* e, const QString& longestCount)
{
    const QString text = LongestText(ResId(e), longestCount);
    e->setText(text);
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.state |= QStyle::State_Sunken;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(e->textMargins());
    const QFontMetrics fm = e->fontMetrics();
    const int need = fm.horizontalAdvance(text) + 1;
    EXPECT_LE(need, r.width() - 4) << Name(e) << " \"" << text.toStdString() << "\"";
    EXPECT_LE(fm.height(), r.height()) << Name(e);
}

void ExpectLabelFits(QLabel* l)
{
    if (l->text().isEmpty())
        return;
    const QRect r = l->contentsRect().marginsRemoved(QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
    const QFontMetrics fm = l->fontMetrics();
    EXPECT_LE(fm.horizontalAdvance(l->text()), r.width()) << Name(l) << " \"" << l->text().toStdString() << "\"";
    EXPECT_LE(fm.height(), r.height()) << Name(l);
}

void ExpectButtonFits(QPushButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.rect = b->rect();
    opt.text = b->text();
    const QRect r = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    const QFontMetrics fm = b->fontMetrics();
    const QString shown = QString(b->text()).remove(QLatin1Char('&'));
    EXPECT_LE(fm.horizontalAdvance(shown), r.width()) << Name(b) << " \"" << shown.toStdString() << "\"";
    EXPECT_LE(fm.height(), r.height()) << Name(b);
}

// Every item of the list fits the box's text field (drawn one pixel in at
// each side).
void ExpectComboFits(QComboBox* c)
{
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.rect = c->rect();
    opt.editable = c->isEditable();
    opt.frame = c->hasFrame();
    opt.subControls = QStyle::SC_All;
    const QRect r = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    const QFontMetrics fm = c->fontMetrics();
    for (int i = 0; i < c->count(); ++i)
        EXPECT_LE(fm.horizontalAdvance(c->itemText(i)), r.width() - 2) << Name(c) << " \"" << c->itemText(i).toStdString() << "\"";
    EXPECT_LE(fm.height(), r.height()) << Name(c);
}

// A group box is at least as wide as its title needs.
void ExpectGroupFits(QGroupBox* g)
{
    EXPECT_GE(g->width(), g->minimumSizeHint().width()) << Name(g) << " \"" << g->title().toStdString() << "\"";
}

// A heading fits its column with the header's margins.
void ExpectHeadingsFit(QTableView* t)
{
    const QHeaderView* h = t->horizontalHeader();
    for (int c = 0; c < h->count(); ++c) {
        QStyleOptionHeader opt;
        opt.initFrom(h);
        opt.section = c;
        opt.text = t->model()->headerData(c, Qt::Horizontal).toString();
        const QSize need = h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h);
        EXPECT_LE(need.width(), h->sectionSize(c)) << Name(t) << " \"" << opt.text.toStdString() << "\"";
    }
}

void ExpectEveryTextFits(QWidget* root, const QString& longestCount)
{
    for (QLabel* l : Shown<QLabel>(root))
        ExpectLabelFits(l);
    for (QLineEdit* e : Shown<QLineEdit>(root))
        ExpectFieldFits(e, longestCount);
    for (QPushButton* b : Shown<QPushButton>(root))
        ExpectButtonFits(b);
    for (QComboBox* c : Shown<QComboBox>(root))
        ExpectComboFits(c);
    for (QGroupBox* g : Shown<QGroupBox>(root))
        ExpectGroupFits(g);
    for (QTableView* t : Shown<QTableView>(root))
        ExpectHeadingsFit(t);
}

// No two controls of the main form overlap, none crosses the border of a
// group box (it lies inside it or outside it) and all lie inside the view.
void ExpectFormTidy(QWidget* view)
{
    std::vector<QWidget*> controls;
    std::vector<QGroupBox*> groups;
    for (QWidget* w : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(view))
            continue;
        if (auto* g = qobject_cast<QGroupBox*>(w))
            groups.push_back(g);
        else
            controls.push_back(w);
    }
    ASSERT_GT(controls.size(), 30u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        EXPECT_TRUE(view->rect().contains(a)) << Name(controls[i]);
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(a.intersects(controls[j]->geometry())) << Name(controls[i]) << " / " << Name(controls[j]);
        for (const QGroupBox* g : groups)
            EXPECT_TRUE(!g->geometry().intersects(a) || g->geometry().contains(a)) << Name(controls[i]) << " in " << Name(g);
    }
}

class FormFit : public AppLook, public ::testing::WithParamInterface<const char*> {};

TEST_P(FormFit, EveryTextFitsItsControlWithTheFontInUse)
{
    const QString family = QString::fromLatin1(GetParam());
    if (!QFontDatabase::hasFamily(family))
        GTEST_SKIP() << GetParam() << " is not installed (scripts/install-deps.sh installs it)";
    QApplication::setFont(QFont(family, 9));
    SWindows w;
    ASSERT_EQ(QFontInfo(FindById<QLineEdit>(&w.view, 1001)->font()).family(), family);
    ASSERT_EQ(QFontInfo(w.logger.Form().list->font()).family(), family);

    SCOPED_TRACE("main view at its size");
    ExpectEveryTextFits(&w.view, QStringLiteral("9999999"));
    ExpectFormTidy(&w.view);
    {
        SCOPED_TRACE("main view maximised");
        w.view.resize(1600, 1000);
        QApplication::processEvents();
        ExpectFormTidy(&w.view);
    }
    {
        SCOPED_TRACE("data-logger window at its size");
        ExpectEveryTextFits(&w.logger, QStringLiteral("65535"));
    }
    {
        SCOPED_TRACE("data-logger window at its smallest");
        w.logger.resize(1, 1);
        QApplication::processEvents();
        ExpectEveryTextFits(&w.logger, QStringLiteral("65535"));
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, FormFit, ::testing::Values("Liberation Sans", "DejaVu Sans"),
                         [](const auto& info) { return std::string(info.param).erase(std::string(info.param).find(' '), 1); });

// ---- contrast --------------------------------------------------------------

double Luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour behind a widget that does not fill its own background: that of
// the nearest ancestor that does (or of the window).
QColor BackgroundBehind(const QWidget* w, QPalette::ColorGroup group)
{
    const QWidget* p = w;
    while (!p->isWindow() && !p->autoFillBackground())
        p = p->parentWidget();
    return p->palette().color(group, p->backgroundRole());
}

struct SText {
    QWidget* widget;
    QPalette::ColorRole text;
    QPalette::ColorRole background;   // NoRole: drawn on what lies behind
};

// Where each kind of control draws its text and on what.
std::vector<SText> TextsOf(QWidget* root)
{
    std::vector<SText> texts;
    for (QLabel* l : Shown<QLabel>(root)) {
        const int id = ResId(l);
        if (!l->text().isEmpty() && id != 1030 && id != 1031)   // the cursor labels wear the cursors' colours
            texts.push_back({l, l->foregroundRole(), l->autoFillBackground() ? l->backgroundRole() : QPalette::NoRole});
    }
    for (QGroupBox* g : Shown<QGroupBox>(root))
        texts.push_back({g, QPalette::WindowText, QPalette::NoRole});
    for (QLineEdit* e : Shown<QLineEdit>(root))
        texts.push_back({e, QPalette::Text, QPalette::Base});
    for (QPushButton* b : Shown<QPushButton>(root))
        texts.push_back({b, QPalette::ButtonText, QPalette::Button});
    for (QComboBox* c : Shown<QComboBox>(root))
        texts.push_back({c, QPalette::ButtonText, QPalette::Button});
    for (QHeaderView* h : Shown<QHeaderView>(root))
        texts.push_back({h, QPalette::ButtonText, QPalette::Button});
    for (QMenuBar* m : Shown<QMenuBar>(root))
        texts.push_back({m, QPalette::ButtonText, QPalette::NoRole});
    return texts;
}

void ExpectReadable(QWidget* root)
{
    const std::vector<SText> texts = TextsOf(root);
    ASSERT_GT(texts.size(), 20u);
    for (const SText& t : texts) {
        const auto group = t.widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor fg = t.widget->palette().color(group, t.text);
        const QColor bg = t.background == QPalette::NoRole ? BackgroundBehind(t.widget, group)
                                                           : t.widget->palette().color(group, t.background);
        EXPECT_GE(Contrast(fg, bg), 4.5) << Name(t.widget) << (t.widget->isEnabled() ? "" : " (disabled)") << ": "
                                         << fg.name().toStdString() << " on " << bg.name().toStdString();
    }
}

QPalette DarkPalette()
{
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(235, 235, 235), dim(120, 120, 120);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, window);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::Base, base);
        p.setColor(group, QPalette::AlternateBase, window);
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::Button, window);
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::Highlight, QColor(42, 130, 218));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    p.setColor(QPalette::Disabled, QPalette::Window, window);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    p.setColor(QPalette::Disabled, QPalette::WindowText, dim);
    p.setColor(QPalette::Disabled, QPalette::Text, dim);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, dim);
    return p;
}

class FormContrast : public AppLook, public ::testing::WithParamInterface<bool> {};

TEST_P(FormContrast, EveryTextStandsOutFromItsBackground)
{
    QApplication::setPalette(GetParam() ? DarkPalette() : QApplication::style()->standardPalette());
    SWindows w;
    {
        SCOPED_TRACE("main view");
        ExpectReadable(&w.view);
    }
    {
        SCOPED_TRACE("main view while a run disables the rate");
        FindById<QComboBox>(&w.view, 1007)->setEnabled(false);
        FindById<QPushButton>(&w.view, 1000)->setEnabled(false);
        ExpectReadable(&w.view);
    }
    {
        SCOPED_TRACE("data-logger window");
        ExpectReadable(&w.logger);
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, FormContrast, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

} // namespace

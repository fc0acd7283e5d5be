#include "view/ViewForm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <vector>

#include <QApplication>

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "dialogs/Dialogs.h"
#include "graph/FormLook.h"
#include "monitor/DataListView.h"
#include "monitor/MeterPanel.h"
#include "monitor/SetupMath.h"
#include "view/ViewLayout.h"

namespace {

using formlook::kLongestLevel;
using formlook::kLongestTime;

// The longest count of records the view shows: a monitoring run of the most
// records the setup allows.
const QString kLongestRunCount = QString::number(sonivel::kMaxRunRecords);

// A 9-point dialog font is 6 x 13 pixels per 4 x 8 dialog units.
constexpr double kUnitX = 1.5;
constexpr double kUnitY = 1.625;

constexpr int kEditHeight = 12;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// The statistics, indication and cursor controls, in dialog units, band by
// band: the controls of a band move together when a text needs more room than
// designed (FlowBand). Edits are read-only fields sized for their longest text.
enum class EKind { Label, Edit, Combo, Button, Group };

struct SPlace {
    int band;
    EKind kind;
    int id;                // -1: none
    const char* text;      // label, button or group title
    int x, y, w, h;
    Qt::Alignment align = kLeft;
    const QString* longest = nullptr;   // an edit's longest text
};

const SPlace kPlaces[] = {
    {0, EKind::Label, -1, "Start Time", 143, 18, 41, kEditHeight, kRight},
    {0, EKind::Edit, 1001, nullptr, 186, 18, 86, kEditHeight, kLeft, &kLongestTime},
    {0, EKind::Label, -1, "DataNo.", 274, 18, 33, kEditHeight, kRight},
    {0, EKind::Edit, 1009, nullptr, 309, 18, 34, kEditHeight, kLeft, &kLongestRunCount},
    {0, EKind::Label, -1, "Sample Rate", 345, 18, 50, kEditHeight, kRight},
    {0, EKind::Combo, 1007, nullptr, 397, 17, 34, 14},
    {0, EKind::Label, -1, "Sec", 434, 18, 16, kEditHeight, kLeft},

    {1, EKind::Label, -1, "MAX", 143, 34, 19, kEditHeight, kRight},
    {1, EKind::Edit, 1002, nullptr, 164, 34, 30, kEditHeight, kLeft, &kLongestLevel},
    {1, EKind::Label, -1, "@", 196, 34, 8, kEditHeight, Qt::AlignCenter},
    {1, EKind::Edit, 1003, nullptr, 206, 34, 86, kEditHeight, kLeft, &kLongestTime},
    {1, EKind::Label, -1, "MIN", 298, 34, 20, kEditHeight, kRight},
    {1, EKind::Edit, 1008, nullptr, 320, 34, 30, kEditHeight, kLeft, &kLongestLevel},
    {1, EKind::Label, -1, "@", 352, 34, 8, kEditHeight, Qt::AlignCenter},
    {1, EKind::Edit, 1006, nullptr, 362, 34, 86, kEditHeight, kLeft, &kLongestTime},
    {1, EKind::Label, -1, "Average", 448, 34, 33, kEditHeight, kRight},
    {1, EKind::Edit, 1005, nullptr, 483, 34, 30, kEditHeight, kLeft, &kLongestLevel},

    {2, EKind::Group, -1, "Indication", 143, 49, 190, 26},
    {2, EKind::Label, -1, "Value:", 146, 60, 26, kEditHeight, kRight},
    {2, EKind::Edit, 1033, nullptr, 174, 60, 30, kEditHeight, kLeft, &kLongestLevel},
    {2, EKind::Label, -1, "dB", 206, 60, 10, kEditHeight, kLeft},
    {2, EKind::Label, -1, "Time:", 217, 60, 21, kEditHeight, kRight},
    {2, EKind::Edit, 1034, nullptr, 240, 60, 86, kEditHeight, kLeft, &kLongestTime},
    {2, EKind::Button, 1000, "UnDo Zoom", 343, 58, 52, 14},
    {2, EKind::Button, 1059, "Graph", 400, 58, 46, 14},
    {2, EKind::Button, 1060, "Data List", 451, 58, 52, 14},

    {3, EKind::Group, 1061, "Cursor", 143, 81, 372, 60},
    {3, EKind::Label, 1030, "CursorA", 149, 93, 31, kEditHeight, kLeft},
    {3, EKind::Edit, 1004, nullptr, 182, 93, 30, kEditHeight, kLeft, &kLongestLevel},
    {3, EKind::Edit, 1011, nullptr, 214, 93, 86, kEditHeight, kLeft, &kLongestTime},
    {3, EKind::Label, -1, "Max.Between A and B", 300, 93, 89, kEditHeight, kRight},
    {3, EKind::Edit, 1025, nullptr, 391, 93, 30, kEditHeight, kLeft, &kLongestLevel},
    {3, EKind::Edit, 1026, nullptr, 423, 93, 86, kEditHeight, kLeft, &kLongestTime},
    {3, EKind::Label, 1031, "CursorB", 149, 109, 31, kEditHeight, kLeft},
    {3, EKind::Edit, 1023, nullptr, 182, 109, 30, kEditHeight, kLeft, &kLongestLevel},
    {3, EKind::Edit, 1024, nullptr, 214, 109, 86, kEditHeight, kLeft, &kLongestTime},
    {3, EKind::Label, -1, "Min.Between A and B", 300, 109, 89, kEditHeight, kRight},
    {3, EKind::Edit, 1027, nullptr, 391, 109, 30, kEditHeight, kLeft, &kLongestLevel},
    {3, EKind::Edit, 1028, nullptr, 423, 109, 86, kEditHeight, kLeft, &kLongestTime},
    {3, EKind::Label, -1, "Average.Between A and B", 149, 125, 96, kEditHeight, kLeft},
    {3, EKind::Edit, 1029, nullptr, 246, 125, 30, kEditHeight, kLeft, &kLongestLevel},
    {3, EKind::Label, -1, "Quantity.Between A and B", 290, 125, 99, kEditHeight, kRight},
    {3, EKind::Edit, 1032, nullptr, 391, 125, 30, kEditHeight, kLeft, &kLongestRunCount},
};
constexpr int kBands = 4;
constexpr std::size_t kCount = std::size(kPlaces);

// The designed right edge of the rightmost control, in dialog units.
constexpr int kDesignedRight = 515;

// The room (pixels) a label that has to grow keeps beside its text.
constexpr int kLabelRoom = 3;

// The width (pixels) a control's text needs in font; 0 when it keeps its
// designed width whatever the font (the rate box holds a few digits).
int NeedOf(const SPlace& p, int designedWidth, const QFont& font, const QStyle* style)
{
    const QString text = QString::fromLatin1(p.text);
    switch (p.kind) {
    case EKind::Label: {
        const int advance = QFontMetrics(font).horizontalAdvance(text);
        return advance <= designedWidth ? advance : advance + kLabelRoom;
    }
    case EKind::Edit:
        return formlook::FieldWidth(*p.longest, font, style);
    case EKind::Button:
        return formlook::ButtonWidth(text, font, style);
    case EKind::Combo:
    case EKind::Group:
        break;
    }
    return 0;
}

// Every control's place in pixels with font: as designed where its text fits,
// else widened, with the controls right of it in its band moved along.
std::array<QRect, kCount> PlaceControls(const QFont& font)
{
    const QStyle* style = QApplication::style();
    std::array<QRect, kCount> rects;
    for (int band = 0; band < kBands; ++band) {
        std::vector<std::size_t> members;
        std::vector<sonivel::view::SFlowItem> items;
        for (std::size_t i = 0; i < kCount; ++i) {
            const SPlace& p = kPlaces[i];
            if (p.band != band)
                continue;
            rects[i] = DialogRect(p.x, p.y, p.w, p.h);
            members.push_back(i);
            if (p.kind == EKind::Group) {   // its two borders
                items.push_back({rects[i].left(), 0, 0});
                items.push_back({rects[i].left() + rects[i].width(), 0, 0});
            } else {
                items.push_back({rects[i].left(), rects[i].width(), NeedOf(p, rects[i].width(), font, style)});
            }
        }
        const std::vector<sonivel::view::SSpan> spans = sonivel::view::FlowBand(items);
        std::size_t k = 0;
        for (std::size_t i : members) {
            if (kPlaces[i].kind == EKind::Group) {
                const int left = spans[k].x, right = spans[k + 1].x;
                rects[i].setLeft(left);
                rects[i].setWidth(right - left);
                k += 2;
            } else {
                rects[i].moveLeft(spans[k].x);
                rects[i].setWidth(spans[k].w);
                ++k;
            }
        }
    }
    return rects;
}

QLabel* MakeLabel(QWidget* parent, const SPlace& p)
{
    auto* label = new QLabel(QString::fromLatin1(p.text), parent);
    if (p.id > 0)
        SetResId(label, p.id);
    label->setAlignment(p.align);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const SPlace& p)
{
    auto* edit = new QLineEdit(parent);
    SetResId(edit, p.id);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QComboBox* MakeRateBox(QWidget* parent, const SPlace& p)
{
    auto* rate = new QComboBox(parent);
    SetResId(rate, p.id);
    for (const sonivel::SRateChoice& c : sonivel::kRateChoices)
        rate->addItem(QString::fromLatin1(c.viewText));
    rate->setCurrentIndex(sonivel::kDefaultRateIndex);
    return rate;
}

QPushButton* MakeButton(QWidget* parent, const SPlace& p)
{
    auto* b = new QPushButton(QString::fromLatin1(p.text), parent);
    SetResId(b, p.id);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QGroupBox* MakeGroup(QWidget* parent, int id, const char* title, QRect r)
{
    auto* g = new QGroupBox(QString::fromLatin1(title), parent);
    if (id > 0)
        SetResId(g, id);
    g->setGeometry(r);
    return g;
}

void SetTextColour(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

} // namespace

QRect DialogRect(int x, int y, int w, int h)
{
    const auto px = [](double units, double scale) { return static_cast<int>(std::lround(units * scale)); };
    return QRect(px(x, kUnitX), px(y, kUnitY), px(w, kUnitX), px(h, kUnitY));
}

QSize FormSize()
{
    // The designed size, wider by as much as the controls' right edge grew.
    const QSize designed = DialogRect(0, 0, 545, 365).size();
    int right = 0;
    for (const QRect& r : PlaceControls(FormFont()))
        right = std::max(right, r.left() + r.width());
    const int grown = right - DialogRect(0, 0, kDesignedRight, 0).width();
    return {designed.width() + std::max(0, grown), designed.height()};
}

SViewForm BuildViewForm(QWidget* view)
{
    SViewForm f;
    // Group boxes first, so that the controls inside them lie above them.
    f.graphGroup = MakeGroup(view, 1058, "Real Time Graph", DialogRect(136, 5, 405, 354));
    const std::array<QRect, kCount> rects = PlaceControls(view->font());
    for (std::size_t i = 0; i < kCount; ++i)
        if (kPlaces[i].kind == EKind::Group) {
            QGroupBox* g = MakeGroup(view, kPlaces[i].id, kPlaces[i].text, rects[i]);
            if (kPlaces[i].id == 1061)
                f.cursorGroup = g;
        }
    for (std::size_t i = 0; i < kCount; ++i) {
        const SPlace& p = kPlaces[i];
        QWidget* w = nullptr;
        switch (p.kind) {
        case EKind::Label: {
            QLabel* label = MakeLabel(view, p);
            if (p.id == 1030)
                f.cursorA = label;
            else if (p.id == 1031)
                f.cursorB = label;
            w = label;
            break;
        }
        case EKind::Edit:
            w = MakeField(view, p);
            break;
        case EKind::Combo:
            w = f.rate = MakeRateBox(view, p);
            break;
        case EKind::Button: {
            QPushButton* b = MakeButton(view, p);
            if (p.id == 1000)
                f.undoZoom = b;
            else if (p.id == 1059)
                f.showGraph = b;
            else
                f.showList = b;
            w = b;
            break;
        }
        case EKind::Group:
            continue;
        }
        w->setGeometry(rects[i]);
    }
    // The cursor labels wear the colours of the cursor lines.
    SetTextColour(f.cursorA, QColor(110, 30, 200));
    SetTextColour(f.cursorB, QColor(0, 255, 0));

    // The graph's place, its scroll bars and the data list; the layout sizes them.
    const QRect plot = DialogRect(143, 146, 380, 190);
    f.graphSlot = new QWidget(view);
    SetResId(f.graphSlot, 1010);
    f.graphSlot->setGeometry(plot);
    f.vbar = new QScrollBar(Qt::Vertical, view);
    SetResId(f.vbar, 1039);
    f.hbar = new QScrollBar(Qt::Horizontal, view);
    SetResId(f.hbar, 1038);
    f.list = new CDataListView(view);
    SetResId(f.list, 1037);
    f.list->setGeometry(plot);
    f.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    f.list->setShowGrid(true);
    f.list->verticalHeader()->hide();
    f.list->verticalHeader()->setDefaultSectionSize(18);
    f.list->hide();

    // The graph's eleven level texts, kept hidden.
    for (int k = 0; k < 11; ++k) {
        auto* level = new QLabel(view);
        SetResId(level, 1012 + k);
        level->setGeometry(DialogRect(110, 300 - 12 * k, 30, 8));
        level->hide();
    }

    f.panel = new CMeterPanel(view);
    f.panel->move(0, 0);
    return f;
}

QFont FormFont()
{
    QFont f = QApplication::font();
    f.setPointSize(9);
    return f;
}

void ApplyViewColours(QWidget* view)
{
    formlook::ApplyFormColours(view);
}

#include "view/ViewForm.h"

#include <cmath>

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "dialogs/Dialogs.h"
#include "monitor/MeterPanel.h"
#include "monitor/SetupMath.h"

namespace {

// A 9-point dialog font is 6 x 13 pixels per 4 x 8 dialog units.
constexpr double kUnitX = 1.5;
constexpr double kUnitY = 1.625;

// Where the controls sit, in dialog units.
struct SEditPlace { int id, x, y, w; };
struct SLabelPlace { int id; const char* text; int x, y, w; Qt::Alignment align; };

constexpr int kEditHeight = 12;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

// Statistics, indication and cursor fields (read-only edit boxes).
constexpr SEditPlace kEdits[] = {
    {1001, 186, 18, 86}, {1009, 309, 18, 34},                       // Start Time, DataNo.
    {1002, 164, 34, 30}, {1003, 206, 34, 86},                       // MAX @
    {1008, 320, 34, 30}, {1006, 362, 34, 86},                       // MIN @
    {1005, 483, 34, 30},                                            // Average
    {1033, 174, 60, 30}, {1034, 240, 60, 86},                       // Value: Time:
    {1004, 182, 93, 30}, {1011, 214, 93, 86},                       // CursorA
    {1023, 182, 109, 30}, {1024, 214, 109, 86},                     // CursorB
    {1025, 391, 93, 30}, {1026, 423, 93, 86},                       // Max between A and B
    {1027, 391, 109, 30}, {1028, 423, 109, 86},                     // Min between A and B
    {1029, 246, 125, 30}, {1032, 391, 125, 30},                     // Average, Quantity
};

const SLabelPlace kLabels[] = {
    {-1, "Start Time", 143, 18, 41, kRight},
    {-1, "DataNo.", 274, 18, 33, kRight},
    {-1, "Sample Rate", 345, 18, 50, kRight},
    {-1, "Sec", 434, 18, 16, kLeft},
    {-1, "MAX", 143, 34, 19, kRight},
    {-1, "@", 196, 34, 8, Qt::AlignCenter},
    {-1, "MIN", 298, 34, 20, kRight},
    {-1, "@", 352, 34, 8, Qt::AlignCenter},
    {-1, "Average", 448, 34, 33, kRight},
    {-1, "Value:", 146, 60, 26, kRight},
    {-1, "dB", 206, 60, 10, kLeft},
    {-1, "Time:", 217, 60, 21, kRight},
    {1030, "CursorA", 149, 93, 31, kLeft},
    {1031, "CursorB", 149, 109, 31, kLeft},
    {-1, "Max.Between A and B", 300, 93, 89, kRight},
    {-1, "Min.Between A and B", 300, 109, 89, kRight},
    {-1, "Average.Between A and B", 149, 125, 96, kLeft},
    {-1, "Quantity.Between A and B", 290, 125, 99, kRight},
};

QLabel* MakeLabel(QWidget* parent, const SLabelPlace& l)
{
    auto* label = new QLabel(QString::fromLatin1(l.text), parent);
    if (l.id > 0)
        SetResId(label, l.id);
    label->setAlignment(l.align);
    label->setGeometry(DialogRect(l.x, l.y, l.w, kEditHeight));
    return label;
}

QPushButton* MakeButton(QWidget* parent, int id, const char* text, int x, int y, int w)
{
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    SetResId(b, id);
    b->setGeometry(DialogRect(x, y, w, 14));
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

} // namespace

QRect DialogRect(int x, int y, int w, int h)
{
    const auto px = [](double units, double scale) { return static_cast<int>(std::lround(units * scale)); };
    return QRect(px(x, kUnitX), px(y, kUnitY), px(w, kUnitX), px(h, kUnitY));
}

QSize FormSize()
{
    return DialogRect(0, 0, 545, 365).size();
}

SViewForm BuildViewForm(QWidget* view)
{
    SViewForm f;
    // Group boxes first, so that the controls inside them lie above them.
    f.graphGroup = MakeGroup(view, 1058, "Real Time Graph", DialogRect(136, 5, 405, 354));
    MakeGroup(view, -1, "Indication", DialogRect(143, 49, 190, 26));
    f.cursorGroup = MakeGroup(view, 1061, "Cursor", DialogRect(143, 81, 372, 60));

    for (const SEditPlace& e : kEdits) {
        auto* edit = new QLineEdit(view);
        SetResId(edit, e.id);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setGeometry(DialogRect(e.x, e.y, e.w, kEditHeight));
    }
    for (const SLabelPlace& l : kLabels) {
        QLabel* label = MakeLabel(view, l);
        if (l.id == 1030)
            f.cursorA = label;
        else if (l.id == 1031)
            f.cursorB = label;
    }

    f.rate = new QComboBox(view);
    SetResId(f.rate, 1007);
    f.rate->setGeometry(DialogRect(397, 17, 34, 14));
    for (const sonivel::SRateChoice& c : sonivel::kRateChoices)
        f.rate->addItem(QString::fromLatin1(c.viewText));
    f.rate->setCurrentIndex(sonivel::kDefaultRateIndex);

    f.undoZoom = MakeButton(view, 1000, "UnDo Zoom", 343, 58, 52);
    f.showGraph = MakeButton(view, 1059, "Graph", 400, 58, 46);
    f.showList = MakeButton(view, 1060, "Data List", 451, 58, 52);

    // The graph's place, its scroll bars and the data list; the layout sizes them.
    const QRect plot = DialogRect(143, 146, 380, 190);
    f.graphSlot = new QWidget(view);
    SetResId(f.graphSlot, 1010);
    f.graphSlot->setGeometry(plot);
    f.vbar = new QScrollBar(Qt::Vertical, view);
    SetResId(f.vbar, 1039);
    f.hbar = new QScrollBar(Qt::Horizontal, view);
    SetResId(f.hbar, 1038);
    f.list = new QTableView(view);
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
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    f.setPointSize(9);
    return f;
}

void ApplyViewColours(QWidget* view)
{
    view->setAutoFillBackground(true);
    QPalette pal = view->palette();
    pal.setColor(QPalette::Window, QColor(170, 175, 195));
    pal.setColor(QPalette::Button, QColor(170, 175, 195));
    view->setPalette(pal);
    view->setStyleSheet(QStringLiteral(
        "QLabel#id1030 { color: rgb(110, 30, 200); }"
        "QLabel#id1031 { color: rgb(0, 255, 0); }"
        "QComboBox#id1007 { background-color: rgb(100, 100, 100); color: black;"
        " border: 1px solid rgb(70, 70, 80); padding: 1px 4px; }"
        "QComboBox#id1007:disabled { color: rgb(60, 60, 60); }"
        "QComboBox#id1007 QAbstractItemView { background-color: white; color: black; }"));
}

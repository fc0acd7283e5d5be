#include "logger/DataLogForm.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "dialogs/Dialogs.h"
#include "graph/ChartWidgets.h"
#include "graph/GraphicsBtn.h"
#include "logger/GroupListModel.h"

namespace {

// Dialog 145 is 610 x 372 dialog units of an 8-point font.
constexpr int kWidth = 915;
constexpr int kHeight = 640;

const char* const kRateTexts[] = {"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5", "10"};

QLineEdit* Box(QWidget* parent, int id, int width)
{
    auto* e = new QLineEdit(parent);
    SetResId(e, id);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setFixedWidth(width);
    return e;
}

QLabel* Text(QWidget* parent, const char* text)
{
    return new QLabel(QString::fromLatin1(text), parent);
}

QAction* Command(QMenu* menu, int id, const char* text)
{
    QAction* a = menu->addAction(QString::fromLatin1(text));
    SetResId(a, id);
    return a;
}

QAction* Command(QMenuBar* bar, int id, const char* text)
{
    QAction* a = bar->addAction(QString::fromLatin1(text));
    SetResId(a, id);
    return a;
}

void BuildMenu(QDialog* dlg, SDataLogForm& f)
{
    f.menu = new QMenuBar(dlg);
    SetResId(f.menu, 147);
    f.importData = Command(f.menu, 32781, "Import Data(&I)");
    f.exportExcel = Command(f.menu, 32813, "Export To Excel(&E)");
    QMenu* save = f.menu->addMenu(QStringLiteral("Save Data(&S)"));
    f.saveSelected = Command(save, 32793, "Save Selected(&S)");
    QMenu* print = f.menu->addMenu(QStringLiteral("Print(&P)"));
    f.printGraph = Command(print, 32794, "Print Graph(&G)");
    f.printData = Command(print, 32795, "Print Data(&D)");
}

QTableView* BuildGroupList(QDialog* dlg)
{
    auto* list = new QTableView(dlg);
    SetResId(list, logid::kGroupList);
    auto* model = new CGroupListModel(list);
    list->setModel(model);
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(18);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setStretchLastSection(false);
    int width = 0;
    for (int c = 0; c < sonivel::kGroupColumns; ++c) {
        list->setColumnWidth(c, CGroupListModel::kColumnWidths[c]);
        width += CGroupListModel::kColumnWidths[c];
    }
    list->setFixedWidth(width + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 2);
    return list;
}

// "Start Time", "DataNo.", "Sample Rate" / "MAX @", "MIN @", "Average".
QGridLayout* BuildStatistics(QWidget* parent, SDataLogForm& f)
{
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(4);
    g->addWidget(Text(parent, "Start Time"), 0, 0, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kStartTime, 130), 0, 1, 1, 3);
    g->addWidget(Text(parent, "DataNo."), 0, 4, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kCount, 56), 0, 5);
    g->addWidget(Text(parent, "Sample Rate"), 0, 6, Qt::AlignRight);
    f.rate = new QComboBox(parent);
    SetResId(f.rate, logid::kRate);
    for (const char* t : kRateTexts)
        f.rate->addItem(QString::fromLatin1(t));
    f.rate->setCurrentIndex(-1);
    f.rate->setEnabled(false);
    f.rate->setFixedWidth(56);
    g->addWidget(f.rate, 0, 7);
    g->addWidget(Text(parent, "Sec"), 0, 8);

    g->addWidget(Text(parent, "MAX"), 1, 0, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kMaxValue, 44), 1, 1);
    g->addWidget(Text(parent, "@"), 1, 2);
    g->addWidget(Box(parent, logid::kMaxTime, 130), 1, 3);
    g->addWidget(Text(parent, "MIN"), 1, 4, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kMinValue, 56), 1, 5);
    g->addWidget(Text(parent, "@"), 1, 6, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kMinTime, 130), 1, 7, 1, 3);
    g->addWidget(Text(parent, "Average"), 2, 0, Qt::AlignRight);
    g->addWidget(Box(parent, logid::kAverage, 44), 2, 1);
    g->addWidget(Text(parent, "dB"), 2, 2);
    g->setColumnStretch(10, 1);
    return g;
}

// The chart with its scroll bars: vertical at the right, horizontal below.
QGridLayout* BuildChart(QWidget* parent, SDataLogForm& f)
{
    auto* g = new QGridLayout;
    g->setSpacing(0);
    f.graph = new CGraphicsBtn(parent);
    SetResId(f.graph, 1010);
    f.graph->setMinimumSize(300, 200);
    f.graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    g->addWidget(f.graph, 0, 0);
    g->addWidget(CreateChartScrollBar(parent, Qt::Vertical), 0, 1);
    g->addWidget(CreateChartScrollBar(parent, Qt::Horizontal), 1, 0);
    return g;
}

void ApplyColours(QDialog* dlg)
{
    // The window and its statics on 0xC3AFAA; the rate list on 0x646464; edits,
    // scroll bars and the list keep the platform's colours.
    dlg->setAutoFillBackground(true);
    QPalette pal = dlg->palette();
    pal.setColor(QPalette::Window, QColor(170, 175, 195));
    pal.setColor(QPalette::Button, QColor(170, 175, 195));
    dlg->setPalette(pal);
    dlg->setStyleSheet(QStringLiteral(
        "QComboBox#id1007 { background-color: rgb(100, 100, 100); color: black;"
        " border: 1px solid rgb(70, 70, 80); padding: 1px 4px; }"
        "QComboBox#id1007:disabled { color: rgb(20, 20, 20); }"
        "QComboBox#id1007 QAbstractItemView { background-color: white; color: black; }"));
}

} // namespace

SDataLogForm BuildDataLogForm(QDialog* dlg)
{
    SDataLogForm f;
    SetResId(dlg, 145);
    dlg->setWindowTitle(QStringLiteral("DATALOGGER"));
    dlg->resize(kWidth, kHeight);
    BuildMenu(dlg, f);
    f.list = BuildGroupList(dlg);

    auto* graphBox = new QGroupBox(QStringLiteral("Real Time Graph"), dlg);
    auto* right = new QVBoxLayout(graphBox);
    right->setContentsMargins(8, 6, 8, 8);
    right->setSpacing(6);
    right->addLayout(BuildStatistics(graphBox, f));

    auto* middle = new QHBoxLayout;
    middle->addWidget(CreateIndicationGroup(graphBox));
    middle->addStretch(1);
    QPushButton* undo = CreateUndoZoomButton(graphBox);
    undo->setAutoDefault(false);
    middle->addWidget(undo, 0, Qt::AlignBottom);
    right->addLayout(middle);
    right->addWidget(CreateCursorGroup(graphBox));
    right->addLayout(BuildChart(graphBox, f), 1);
    CreateLevelStatics(graphBox);

    auto* top = new QHBoxLayout(dlg);
    top->setMenuBar(f.menu);
    top->setContentsMargins(7, 4, 7, 7);
    top->setSpacing(7);
    top->addWidget(f.list);
    top->addWidget(graphBox, 1);
    ApplyColours(dlg);
    return f;
}

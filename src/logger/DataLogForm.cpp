#include "logger/DataLogForm.h"

#include <algorithm>

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
#include "graph/FormLook.h"
#include "graph/GraphicsBtn.h"
#include "logger/GroupListModel.h"
#include "monitor/SetupMath.h"

namespace {

// Dialog 145 is 610 x 372 dialog units of an 8-point font; the wider fonts
// here get a little more room.
constexpr int kWidth = 1010;
constexpr int kHeight = 660;

// A read-only box as wide as designed, or as its longest text needs.
QLineEdit* Box(QWidget* parent, int id, int width, const QString& longest)
{
    auto* e = new QLineEdit(parent);
    SetResId(e, id);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setFixedWidth(std::max(width, formlook::FieldWidth(longest, e->font(), e->style())));
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
    f.exportCsv = Command(f.menu, 32833, "Export CSV(&V)");
    QMenu* save = f.menu->addMenu(QStringLiteral("Save Data(&S)"));
    f.saveSelected = Command(save, 32793, "Save Selected(&S)");
    QMenu* print = f.menu->addMenu(QStringLiteral("Print(&P)"));
    f.printGraph = Command(print, 32794, "Print Graph(&G)");
    f.printData = Command(print, 32795, "Print Data(&D)");
    f.reportPdf = Command(print, 32834, "Report PDF(&R)");
    f.noiseStats = Command(f.menu, 32835, "Noise Statistics(&N)");
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
    // The column widths are those of an 8-point dialog font; a wider font
    // widens a column just enough for its heading and its longest content.
    const char* const widest[sonivel::kGroupColumns] = {"9999", "30-12-2011,23:59:59", "dBA", "Sampling Rate", "65535"};
    const QFontMetrics fm(list->font());
    int width = 0;
    for (int c = 0; c < sonivel::kGroupColumns; ++c) {
        const int need = fm.horizontalAdvance(QString::fromLatin1(widest[c])) + 12;
        const int w = std::max(CGroupListModel::kColumnWidths[c], need);
        list->setColumnWidth(c, w);
        width += w;
    }
    list->setFixedWidth(width + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 2);
    return list;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch(1);
    return row;
}

// "Start Time", "DataNo.", "Sample Rate" / "MAX @", "MIN @", "Average".
QVBoxLayout* BuildStatistics(QWidget* parent, SDataLogForm& f)
{
    f.rate = new QComboBox(parent);
    SetResId(f.rate, logid::kRate);
    for (const sonivel::SRateChoice& c : sonivel::kRateChoices)
        f.rate->addItem(QString::fromLatin1(c.viewText));
    f.rate->setCurrentIndex(-1);
    f.rate->setEnabled(false);
    f.rate->setFixedWidth(56);

    auto* rows = new QVBoxLayout;
    rows->setSpacing(4);
    using formlook::kLongestCount;
    using formlook::kLongestLevel;
    using formlook::kLongestTime;
    rows->addLayout(Row({Text(parent, "Start Time"), Box(parent, logid::kStartTime, 130, kLongestTime),
                         Text(parent, "  DataNo."), Box(parent, logid::kCount, 56, kLongestCount),
                         Text(parent, "  Sample Rate"), f.rate, Text(parent, "Sec")}));
    rows->addLayout(Row({Text(parent, "MAX"), Box(parent, logid::kMaxValue, 44, kLongestLevel), Text(parent, "@"),
                         Box(parent, logid::kMaxTime, 130, kLongestTime), Text(parent, "  MIN"),
                         Box(parent, logid::kMinValue, 44, kLongestLevel), Text(parent, "@"),
                         Box(parent, logid::kMinTime, 130, kLongestTime), Text(parent, "  Average"),
                         Box(parent, logid::kAverage, 44, kLongestLevel), Text(parent, "dB")}));
    return rows;
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

    // The indication and "UnDo Zoom" beside the cursor boxes.
    auto* left = new QVBoxLayout;
    left->addWidget(CreateIndicationGroup(graphBox));
    QPushButton* undo = CreateUndoZoomButton(graphBox);
    undo->setAutoDefault(false);
    left->addWidget(undo, 0, Qt::AlignLeft);
    left->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(CreateCursorGroup(graphBox), 1);
    right->addLayout(middle);
    right->addLayout(BuildChart(graphBox, f), 1);
    CreateLevelStatics(graphBox);

    auto* top = new QHBoxLayout(dlg);
    top->setMenuBar(f.menu);
    top->setContentsMargins(7, 4, 7, 7);
    top->setSpacing(7);
    top->addWidget(f.list);
    top->addWidget(graphBox, 1);
    formlook::ApplyFormColours(dlg);
    return f;
}

#include "graph/ChartWidgets.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/Dialogs.h"
#include "graph/ChartIds.h"
#include "graph/FormLook.h"

namespace {

// A read-only field at least minWidth wide and wide enough for its longest text.
QLineEdit* Field(QWidget* parent, int id, int minWidth, const QString& longest)
{
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setMinimumWidth(std::max(minWidth, formlook::FieldWidth(longest, e->font(), e->style())));
    SetResId(e, id);
    return e;
}

QLabel* Label(QWidget* parent, const char* text, int id = 0)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    if (id)
        SetResId(l, id);
    return l;
}

void SetTextColor(QLabel* label, const QColor& color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

} // namespace

QGroupBox* CreateCursorGroup(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("Cursor"), parent);
    SetResId(box, chartid::kCursorGroup);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    auto* a = Label(box, "CursorA", chartid::kCursorALabel);
    auto* b = Label(box, "CursorB", chartid::kCursorBLabel);
    SetTextColor(a, QColor(110, 30, 200));
    SetTextColor(b, QColor(0, 255, 0));
    struct SRow {
        QLabel* label;
        int value;
        int time;
        const QString& longest;   // of the value
    };
    const SRow rows[] = {
        {a, chartid::kCursorAValue, chartid::kCursorATime, formlook::kLongestLevel},
        {b, chartid::kCursorBValue, chartid::kCursorBTime, formlook::kLongestLevel},
        {Label(box, "Max.Between A and B"), chartid::kMaxValue, chartid::kMaxTime, formlook::kLongestLevel},
        {Label(box, "Min.Between A and B"), chartid::kMinValue, chartid::kMinTime, formlook::kLongestLevel},
        {Label(box, "Average.Between A and B"), chartid::kAverage, 0, formlook::kLongestLevel},
        {Label(box, "Quantity.Between A and B"), chartid::kQuantity, 0, formlook::kLongestCount},
    };
    int r = 0;
    for (const SRow& row : rows) {
        grid->addWidget(row.label, r, 0);
        grid->addWidget(Field(box, row.value, 50, row.longest), r, 1);
        if (row.time)
            grid->addWidget(Field(box, row.time, 130, formlook::kLongestTime), r, 2);
        ++r;
    }
    return box;
}

QGroupBox* CreateIndicationGroup(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("Indication"), parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->addWidget(Label(box, "Value:"), 0, 0);
    grid->addWidget(Field(box, chartid::kIndicationValue, 50, formlook::kLongestLevel), 0, 1);
    grid->addWidget(Label(box, "dB"), 0, 2);
    grid->addWidget(Label(box, "Time:"), 1, 0);
    grid->addWidget(Field(box, chartid::kIndicationTime, 130, formlook::kLongestTime), 1, 1, 1, 2);
    return box;
}

void CreateLevelStatics(QWidget* parent)
{
    for (int k = 0; k <= 10; ++k) {
        auto* l = new QLabel(parent);
        SetResId(l, chartid::kFirstLevelStatic + k);
        l->hide();
    }
}

QScrollBar* CreateChartScrollBar(QWidget* parent, Qt::Orientation orientation)
{
    auto* bar = new QScrollBar(orientation, parent);
    SetResId(bar, orientation == Qt::Vertical ? chartid::kVScroll : chartid::kHScroll);
    bar->setRange(0, 0);
    bar->setPageStep(1);
    return bar;
}

QPushButton* CreateUndoZoomButton(QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("UnDo Zoom"), parent);
    SetResId(button, chartid::kUndoZoom);
    return button;
}

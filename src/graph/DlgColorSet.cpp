#include "graph/DlgColorSet.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/Dialogs.h"

using namespace sonivel;

namespace {

QLabel* Swatch(QWidget* parent, int id)
{
    auto* l = new QLabel(QString(18, QLatin1Char(' ')), parent);
    SetResId(l, id);
    l->setAutoFillBackground(true);
    l->setMinimumWidth(90);
    return l;
}

void Paint(QLabel* swatch, Colorref c, bool textToo)
{
    const QColor color(RedOf(c), GreenOf(c), BlueOf(c));
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, color);
    if (textToo)
        pal.setColor(QPalette::WindowText, color);
    swatch->setPalette(pal);
    swatch->update();
}

} // namespace

CDlgColorSet::CDlgColorSet(QWidget* parent) : QDialog(parent)
{
    SetResId(this, 160);
    setWindowTitle(QStringLiteral("ColorSetting"));
    auto* grid = new QGridLayout(this);
    m_pGridSwatch = Swatch(this, 1065);
    m_pLineSwatch = Swatch(this, 1066);
    m_pBackgroundSwatch = Swatch(this, 1067);
    struct SRow {
        const char* label;
        QLabel* swatch;
        int buttonId;
        Colorref* member;
    };
    const SRow rows[] = {
        {"Grid Color", m_pGridSwatch, 1068, &m_clrGrid},
        {"Line Color", m_pLineSwatch, 1069, &m_clrLine},
        {"Background Color", m_pBackgroundSwatch, 1070, &m_clrBackground},
    };
    int r = 0;
    for (const SRow& row : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(row.label), this), r, 0);
        grid->addWidget(row.swatch, r, 1);
        auto* button = new QPushButton(QStringLiteral("..."), this);
        SetResId(button, row.buttonId);
        button->setAutoDefault(false);
        Colorref* member = row.member;
        connect(button, &QPushButton::clicked, this, [this, member] { ChooseInto(*member); });
        grid->addWidget(button, r, 2);
        ++r;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetResId(buttons->button(QDialogButtonBox::Ok), 1);
    SetResId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, r, 0, 1, 3);
    UpdateSwatches();
}

void CDlgColorSet::UpdateSwatches()
{
    Paint(m_pGridSwatch, m_clrGrid, false);
    Paint(m_pLineSwatch, m_clrLine, true);
    Paint(m_pBackgroundSwatch, m_clrBackground, false);
}

void CDlgColorSet::ChooseInto(Colorref& member)
{
    QColor chosen;
    if (!Dialogs().ChooseColor(this, QColor(0, 0, 0), &chosen))
        return;
    member = Rgb(chosen.red(), chosen.green(), chosen.blue());
    UpdateSwatches();
}

#include "app/AboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/Dialogs.h"
#include "res/Artwork.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    SetResId(this, 100);
    setWindowTitle(QStringLiteral("About"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(AppIconImage(32)));
    auto* version = new QLabel(QStringLiteral("Version 3.4"), this);
    auto* line = new QLabel(QStringLiteral("Sonivel, the companion of the sound level meter"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetResId(ok, 1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->setHorizontalSpacing(14);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(line, 1, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
}

#include "view/PortDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/Dialogs.h"
#include "monitor/RTSetup.h"

CPort::CPort(QWidget* parent, const QString& preset) : QDialog(parent)
{
    SetResId(this, 159);
    setWindowTitle(QStringLiteral("Port"));
    m_pEdit = new QLineEdit(preset, this);
    SetResId(m_pEdit, 1063);
    m_pEdit->setMinimumWidth(200);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Com Port"), this));
    row->addWidget(m_pEdit, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetResId(buttons->button(QDialogButtonBox::Ok), 1);
    SetResId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPort::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPort::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(row);
    top->addWidget(buttons);
}

QString CPort::DevicePath() const
{
    const QString t = m_pEdit->text().trimmed();
    int n = 0;
    if (ParseDialogInteger(t, &n))
        return QStringLiteral("/dev/ttyUSB%1").arg(n);
    return t;
}

void CPort::accept()
{
    const QString t = m_pEdit->text().trimmed();
    int n = 0;
    if (ParseDialogInteger(t, &n) ? (n < 0 || n > 256) : !t.startsWith(QLatin1Char('/'))) {
        Dialogs().Message(this, QStringLiteral("Enter an integer between 0 and 256, or a device path."),
                          QStringLiteral("Kova"), IDialogs::Icon::Warning);
        return;
    }
    QDialog::accept();
}

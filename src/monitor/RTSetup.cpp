#include "monitor/RTSetup.h"

#include <algorithm>
#include <climits>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "dialogs/Dialogs.h"
#include "monitor/SetupMath.h"

namespace {
const char* const kCaption = "Kova";   // the application title, caption of validation messages
}

bool ParseDialogInteger(const QString& text, int* value)
{
    const QString t = text.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < t.size() && (t[pos] == QLatin1Char('+') || t[pos] == QLatin1Char('-')))
        negative = (t[pos++] == QLatin1Char('-'));
    if (pos >= t.size())
        return false;
    long long v = 0;
    for (; pos < t.size(); ++pos) {
        const QChar c = t[pos];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        if (v <= INT_MAX)
            v = v * 10 + (c.unicode() - '0');
    }
    if (negative)
        v = -v;
    *value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    return true;
}

CRTSetup::CRTSetup(QWidget* parent) : QDialog(parent)
{
    SetResId(this, 148);
    setWindowTitle(QStringLiteral("Real-Time Setup"));

    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto readOnly = [this](int id) {
        auto* e = new QLineEdit(this);
        SetResId(e, id);
        e->setReadOnly(true);
        e->setMinimumWidth(190);
        return e;
    };

    m_pGroup = new QLineEdit(this);
    SetResId(m_pGroup, 1044);
    m_pGroup->setMaximumWidth(90);
    m_pRate = new QComboBox(this);
    SetResId(m_pRate, 1007);
    for (const sonivel::SRateChoice& c : sonivel::kRateChoices)
        m_pRate->addItem(QString::fromLatin1(c.setupText));
    m_pRate->setMaximumWidth(90);
    m_pCycle = readOnly(1046);
    m_pStart = readOnly(1047);
    m_pEnd = readOnly(1048);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(label("The Group Number of Real-Time Record Data"), 0, 0, 1, 3);
    grid->addWidget(m_pGroup, 1, 0);
    grid->addWidget(label("(Setting up the number according to your need)"), 1, 1, 1, 2);
    grid->addWidget(label("Real-Time Sampling Rate "), 2, 0);
    grid->addWidget(m_pRate, 2, 1);
    grid->addWidget(label("Second"), 2, 2);
    grid->addWidget(label("Recording cycle "), 3, 0);
    grid->addWidget(m_pCycle, 3, 1, 1, 2);
    grid->addWidget(label("Start Time"), 4, 0);
    grid->addWidget(m_pStart, 4, 1, 1, 2);
    grid->addWidget(label("End Time"), 5, 0);
    grid->addWidget(m_pEnd, 5, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* start = buttons->addButton(QStringLiteral("Start"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    SetResId(start, 1);
    SetResId(cancel, 2);
    start->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRTSetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRTSetup::reject);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addWidget(buttons);

    m_pRate->setCurrentIndex(sonivel::kDefaultRateIndex);
    m_nRateIndex = sonivel::kDefaultRateIndex;
    SetGroupNumber(0);

    connect(m_pGroup, &QLineEdit::textEdited, this, &CRTSetup::OnEdited);
    connect(m_pRate, &QComboBox::activated, this, &CRTSetup::OnRateChanged);
    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(1000);
    connect(m_pTimer, &QTimer::timeout, this, &CRTSetup::Recompute);
    m_pTimer->start();
}

void CRTSetup::SetGroupNumber(int n)
{
    m_nGroupNumber = n;
    m_pGroup->setText(QString::number(n));
    Recompute();
}

void CRTSetup::SetRateIndex(int index)
{
    if (index < 0 || index >= m_pRate->count())
        return;
    m_pRate->setCurrentIndex(index);
    m_nRateIndex = index;
    Recompute();
}

void CRTSetup::Recompute()
{
    const int index = m_pRate->currentIndex() < 0 ? sonivel::kDefaultRateIndex : m_pRate->currentIndex();
    const double seconds = sonivel::kRateChoices[static_cast<std::size_t>(index)].seconds;
    const std::time_t start = sonivel::Now();
    m_pCycle->setText(QString::fromLatin1(sonivel::CycleText(m_nGroupNumber, seconds).c_str()));
    m_pStart->setText(QString::fromLatin1(sonivel::SetupTimeText(start).c_str()));
    m_pEnd->setText(QString::fromLatin1(
        sonivel::SetupTimeText(sonivel::CycleEnd(start, m_nGroupNumber, seconds)).c_str()));
}

bool CRTSetup::ReadGroupNumber()
{
    int value = 0;
    if (!ParseDialogInteger(m_pGroup->text(), &value)) {
        Dialogs().Message(this, QStringLiteral("Enter an integer."), QString::fromLatin1(kCaption),
                          IDialogs::Icon::Warning);
        return false;
    }
    if (value < kMinRecords || value > kMaxRecords) {
        Dialogs().Message(this,
                          QStringLiteral("Enter an integer between %1 and %2.").arg(kMinRecords).arg(kMaxRecords),
                          QString::fromLatin1(kCaption), IDialogs::Icon::Warning);
        return false;
    }
    m_nGroupNumber = value;
    return true;
}

void CRTSetup::OnEdited()
{
    ReadGroupNumber();
    Recompute();
}

void CRTSetup::OnRateChanged(int)
{
    ReadGroupNumber();
    Recompute();
}

void CRTSetup::accept()
{
    m_nRateIndex = m_pRate->currentIndex();
    if (!ReadGroupNumber()) {
        m_pGroup->setFocus();
        m_pGroup->selectAll();
        return;
    }
    m_pTimer->stop();
    QDialog::accept();
}

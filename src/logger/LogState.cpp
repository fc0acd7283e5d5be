#include "logger/LogState.h"

#include <QFontDatabase>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "dialogs/Dialogs.h"

namespace {

// Dialog 146 is 199 x 47 dialog units of an 8-point font (1.5 x 1.625 px each).
constexpr int kWidth = 299;
constexpr int kHeight = 76;

} // namespace

QString CLogState::CancelText()
{
    // The button is labelled "取消" (Cancel); where no font can show Chinese
    // characters it would be a row of empty boxes, so it reads "Cancel" there.
    static const bool chinese = !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
    return chinese ? QString::fromUtf8("取消") : QStringLiteral("Cancel");
}

CLogState::CLogState(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::FramelessWindowHint)
{
    SetResId(this, 146);
    setFixedSize(kWidth, kHeight);
    setModal(true);
    setAutoFillBackground(true);
    // Frameless, so it draws a border of its own.
    setStyleSheet(QStringLiteral("QDialog#id146 { border: 1px solid rgb(90, 90, 90); }"));

    auto* text = new QLabel(QStringLiteral("Accepting Data now! Waiting......."), this);
    text->setGeometry(12, 9, 200, 18);

    m_pProgress = new QProgressBar(this);
    SetResId(m_pProgress, 1057);
    m_pProgress->setGeometry(12, 34, 200, 18);
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);

    m_pCancel = new QPushButton(CancelText(), this);
    SetResId(m_pCancel, 2);
    m_pCancel->setGeometry(222, 30, 66, 24);
    m_pCancel->setAutoDefault(false);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CLogState::Reset()
{
    m_bCloseRequested = false;
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
}

void CLogState::RequestClose()
{
    m_bCloseRequested = true;
    if (isVisible())
        reject();
}

void CLogState::SetProgress(int range, int /*step*/, int pos)
{
    // The platform's bar moves in steps of 10 when stepped; positions are set
    // directly here, so the step needs no keeping.
    m_pProgress->setRange(0, range > 0 ? range : 1);
    m_pProgress->setValue(pos < 0 ? 0 : (pos > range ? range : pos));
}

void CLogState::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // An end that arrived before the modal loop runs closes the dialog from
    // inside that loop.
    if (m_bCloseRequested)
        QTimer::singleShot(0, this, [this] {
            if (m_bCloseRequested && isVisible())
                reject();
        });
}

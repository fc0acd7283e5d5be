#include "dialogs/Dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class CQtDialogs final : public IDialogs {
public:
    void Message(QWidget* parent, const QString& text, const QString& caption, Icon icon) override
    {
        QMessageBox box(ToQt(icon), caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) override
    {
        QMessageBox box(QMessageBox::Question, caption, text,
                        QMessageBox::Ok | QMessageBox::Cancel, parent);
        return box.exec() == QMessageBox::Ok;
    }

    bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
        return box.exec() == QMessageBox::Yes;
    }

    QString SaveFileName(QWidget* parent, const QString& initialName,
                         const QString& defaultSuffix, const QString& filter) override
    {
        QFileDialog dlg(parent, QString(), initialName, filter);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(defaultSuffix);
        dlg.selectFile(initialName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        return dlg.selectedFiles().front();
    }

    QString OpenFileName(QWidget* parent, const QString& initialName,
                         const QString& defaultSuffix, const QString& filter) override
    {
        QFileDialog dlg(parent, QString(), QString(), filter);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setDefaultSuffix(defaultSuffix);
        Q_UNUSED(initialName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        return dlg.selectedFiles().front();
    }

    bool ChooseColor(QWidget* parent, QColor initial, QColor* chosen) override
    {
        const QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid())
            return false;
        *chosen = c;
        return true;
    }

    bool SetupPrinter(QWidget* parent, QPrinter* printer) override
    {
        QPrintDialog dlg(printer, parent);
        // Printing to a PDF file is offered beside the printers, so a machine
        // without a printer can still print.
        dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dlg.exec() == QDialog::Accepted;
    }

    int Exec(QDialog& dialog) override { return dialog.exec(); }

private:
    static QMessageBox::Icon ToQt(Icon icon)
    {
        switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::None: break;
        }
        return QMessageBox::NoIcon;
    }
};

CQtDialogs g_qtDialogs;
IDialogs* g_dialogs = nullptr;

const char* const kResIdProperty = "resId";

} // namespace

IDialogs& Dialogs()
{
    return g_dialogs ? *g_dialogs : g_qtDialogs;
}

void SetDialogs(IDialogs* dialogs)
{
    g_dialogs = dialogs;
}

void SetResId(QObject* object, int id)
{
    object->setProperty(kResIdProperty, id);
    object->setObjectName(QStringLiteral("id%1").arg(id));
}

int ResId(const QObject* object)
{
    const QVariant v = object->property(kResIdProperty);
    return v.isValid() ? v.toInt() : 0;
}

QObject* FindObjectById(const QObject* parent, int id)
{
    return parent->findChild<QObject*>(QStringLiteral("id%1").arg(id));
}

#include "dialogs/Dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"

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
        const QString key = FolderKey(true, defaultSuffix);
        QFileDialog dlg(parent, QString(), LastFolder(key), filter);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(defaultSuffix);
        dlg.selectFile(initialName);
        return Chosen(dlg, key);
    }

    QString OpenFileName(QWidget* parent, const QString& initialName,
                         const QString& defaultSuffix, const QString& filter) override
    {
        const QString key = FolderKey(false, defaultSuffix);
        QFileDialog dlg(parent, QString(), LastFolder(key), filter);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setDefaultSuffix(defaultSuffix);
        Q_UNUSED(initialName);
        return Chosen(dlg, key);
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
    // Each kind of file dialog (Open, Save, Export To Excel, ...) starts in
    // the folder it was last left in, the first time in the user's documents
    // folder (or home folder), never in the working folder.
    static QString FolderKey(bool save, const QString& defaultSuffix)
    {
        return QString::fromStdString(sonivel::FileDialogFolderKey(save, defaultSuffix.toStdString()));
    }

    static QString LastFolder(const QString& key)
    {
        const QString last = settingsfile::Read(key).toString();
        if (!last.isEmpty() && QFileInfo(last).isAbsolute() && QFileInfo(last).isDir())
            return last;
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
    }

    // The file chosen (empty for Cancel); its folder becomes the kind's.
    static QString Chosen(QFileDialog& dlg, const QString& key)
    {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        const QString path = dlg.selectedFiles().front();
        settingsfile::Write({{key, QFileInfo(path).absolutePath()}});
        return path;
    }

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

IDialogs& QtDialogs()
{
    return g_qtDialogs;
}

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

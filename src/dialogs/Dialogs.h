#pragma once
#include <QColor>
#include <QObject>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

// Every message box, file dialog, colour dialog, print dialog and modal dialog
// of the program goes through this interface, so tests can answer them.
class IDialogs {
public:
    enum class Icon { None, Information, Warning, Critical };

    virtual ~IDialogs() = default;
    // A message with an OK button.
    virtual void Message(QWidget* parent, const QString& text, const QString& caption,
                         Icon icon = Icon::None) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QString& caption) = 0;
    // Save and open file dialogs; an empty result means Cancel. The real ones
    // start in the folder their kind (the default suffix and whether they
    // save) was last left in and remember the folder of the file chosen.
    virtual QString SaveFileName(QWidget* parent, const QString& initialName,
                                 const QString& defaultSuffix, const QString& filter) = 0;
    virtual QString OpenFileName(QWidget* parent, const QString& initialName,
                                 const QString& defaultSuffix, const QString& filter) = 0;
    // The colour dialog; false for Cancel.
    virtual bool ChooseColor(QWidget* parent, QColor initial, QColor* chosen) = 0;
    // The print dialog for printer, offering the printers and a PDF file;
    // false for Cancel.
    virtual bool SetupPrinter(QWidget* parent, QPrinter* printer) = 0;
    // Runs a modal dialog of the program; returns QDialog::Accepted or Rejected.
    virtual int Exec(QDialog& dialog) = 0;
};

// The dialogs in use: the real Qt dialogs unless a test has put its own.
IDialogs& Dialogs();
void SetDialogs(IDialogs* dialogs);   // nullptr restores the real dialogs
// The real Qt dialogs, whatever is installed (a scripted set may hand some on).
IDialogs& QtDialogs();

// Controls, dialogs and menu commands carry their numeric resource ids.
void SetResId(QObject* object, int id);
int ResId(const QObject* object);
QObject* FindObjectById(const QObject* parent, int id);

template <class T> T* FindById(const QObject* parent, int id)
{
    return qobject_cast<T*>(FindObjectById(parent, id));
}

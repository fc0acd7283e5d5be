#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

#include "dialogs/Dialogs.h"

namespace graphtest {

// Answers the program's dialogs from the test and records the messages.
class CFakeDialogs final : public IDialogs {
public:
    CFakeDialogs() { SetDialogs(this); }
    ~CFakeDialogs() override { SetDialogs(nullptr); }

    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(QWidget*, QColor initial, QColor* chosen) override
    {
        colorDialogStarts << initial;
        if (!chosenColor.isValid())
            return false;
        *chosen = chosenColor;
        return true;
    }
    bool SetupPrinter(QWidget*, QPrinter*) override { return false; }
    int Exec(QDialog& dialog) override { return exec ? exec(dialog) : QDialog::Rejected; }

    QStringList messages;
    QColor chosenColor;                       // invalid: the colour dialog is cancelled
    QList<QColor> colorDialogStarts;
    std::function<int(QDialog&)> exec;        // what the user does in a modal dialog
};

} // namespace graphtest

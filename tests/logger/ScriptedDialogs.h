#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

#include "dialogs/Dialogs.h"

namespace loggertest {

// Answers the program's dialogs from a script and records what was asked.
class CScriptedDialogs final : public IDialogs {
public:
    CScriptedDialogs() { SetDialogs(this); }
    ~CScriptedDialogs() override { SetDialogs(nullptr); }

    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    QString SaveFileName(QWidget*, const QString& initial, const QString& suffix, const QString& filter) override
    {
        saveAsked << initial + QStringLiteral("|") + suffix + QStringLiteral("|") + filter;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QString OpenFileName(QWidget*, const QString& initial, const QString& suffix, const QString& filter) override
    {
        openAsked << initial + QStringLiteral("|") + suffix + QStringLiteral("|") + filter;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter*) override
    {
        ++printDialogs;
        return false;
    }
    int Exec(QDialog& dialog) override
    {
        ++execs;
        return exec ? exec(dialog) : QDialog::Rejected;
    }

    QStringList messages;
    QStringList saveAnswers, openAnswers;   // empty answer = Cancel
    QStringList saveAsked, openAsked;       // "initial|suffix|filter"
    int printDialogs = 0;
    int execs = 0;
    std::function<int(QDialog&)> exec;      // what the user does in a modal dialog
};

} // namespace loggertest

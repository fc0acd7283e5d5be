#pragma once
#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "dialogs/Dialogs.h"

namespace viewtest {

// Answers the program's dialogs as a test scripts them and records what was
// asked. Installed for its lifetime.
class CScriptedDialogs final : public IDialogs {
public:
    CScriptedDialogs() { SetDialogs(this); }
    ~CScriptedDialogs() override { SetDialogs(nullptr); }

    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool AskOkCancel(QWidget*, const QString& text, const QString& caption) override
    {
        questions << caption + QStringLiteral(": ") + text;
        return answerOk;
    }
    QString SaveFileName(QWidget*, const QString& initialName, const QString&, const QString& filter) override
    {
        saveRequests << initialName + QStringLiteral(" | ") + filter;
        return savePath;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return openPath; }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter*) override { return false; }
    int Exec(QDialog& dialog) override
    {
        execTitles << dialog.windowTitle();
        return exec ? exec(dialog) : QDialog::Rejected;
    }

    QStringList messages;
    QStringList questions;
    QStringList saveRequests;
    QStringList execTitles;
    bool answerOk = true;
    QString savePath;
    QString openPath;
    std::function<int(QDialog&)> exec;
};

} // namespace viewtest

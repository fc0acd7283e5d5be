#pragma once
#include <QColor>
#include <QDialog>
#include <QList>
#include <QPageSize>
#include <QPrinter>
#include <QStringList>
#include <functional>

#include "dialogs/Dialogs.h"

namespace testsupport {

// Answers the program's dialogs as a test scripts them and records what was
// asked. Installed with SetDialogs() for its lifetime.
class CScriptedDialogs final : public IDialogs {
public:
    CScriptedDialogs() { SetDialogs(this); }
    ~CScriptedDialogs() override { SetDialogs(nullptr); }
    CScriptedDialogs(const CScriptedDialogs&) = delete;
    CScriptedDialogs& operator=(const CScriptedDialogs&) = delete;

    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool AskOkCancel(QWidget*, const QString& text, const QString& caption) override
    {
        questions << caption + QStringLiteral(": ") + text;
        return answerOk;
    }
    bool AskYesNo(QWidget*, const QString& text, const QString& caption) override
    {
        questions << caption + QStringLiteral(": ") + text;
        return answerYes;
    }
    QString SaveFileName(QWidget*, const QString& initial, const QString& suffix, const QString& filter) override
    {
        saveAsked << Asked(initial, suffix, filter);
        return saveAnswers.isEmpty() ? savePath : saveAnswers.takeFirst();
    }
    QString OpenFileName(QWidget*, const QString& initial, const QString& suffix, const QString& filter) override
    {
        openAsked << Asked(initial, suffix, filter);
        return openAnswers.isEmpty() ? openPath : openAnswers.takeFirst();
    }
    bool ChooseColor(QWidget*, QColor initial, QColor* chosen) override
    {
        colorDialogStarts << initial;
        if (!chosenColor.isValid())
            return false;
        *chosen = chosenColor;
        return true;
    }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        ++printDialogs;
        return setupPrinter ? setupPrinter(*printer) : false;
    }
    int Exec(QDialog& dialog) override
    {
        ++execs;
        execTitles << dialog.windowTitle();
        return exec ? exec(dialog) : QDialog::Rejected;
    }

    // A print dialog answer that prints to an A4 PDF file.
    static std::function<bool(QPrinter&)> PrintToPdf(const QString& path)
    {
        return [path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPageSize(QPageSize(QPageSize::A4));
            return true;
        };
    }

    // Answers. File dialogs take the queued answers first, then the fixed
    // path; an empty answer is Cancel.
    bool answerOk = true;                           // OK/Cancel questions
    bool answerYes = true;                          // Yes/No questions
    QStringList saveAnswers, openAnswers;
    QString savePath, openPath;
    QColor chosenColor;                             // invalid: the colour dialog is cancelled
    std::function<bool(QPrinter&)> setupPrinter;    // none: the print dialog is cancelled
    std::function<int(QDialog&)> exec;              // what the user does in a modal dialog

    // What was asked.
    QStringList messages;                           // "caption: text"
    QStringList questions;                          // "caption: text"
    QStringList saveAsked, openAsked;               // "initial|suffix|filter"
    QList<QColor> colorDialogStarts;
    int printDialogs = 0;
    int execs = 0;
    QStringList execTitles;

private:
    static QString Asked(const QString& initial, const QString& suffix, const QString& filter)
    {
        return initial + QStringLiteral("|") + suffix + QStringLiteral("|") + filter;
    }
};

} // namespace testsupport

#pragma once
#include <QPrinter>
#include <QStringList>

#include "dialogs/Dialogs.h"

// Answers the print dialog by choosing a PDF file (or Cancel) and records the
// messages shown; every other dialog is answered with Cancel.
class CPdfDialogs final : public IDialogs {
public:
    explicit CPdfDialogs(QString pdfPath) : m_pdfPath(std::move(pdfPath)) { SetDialogs(this); }
    ~CPdfDialogs() override { SetDialogs(nullptr); }

    void Message(QWidget*, const QString& text, const QString& caption, Icon) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return false; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        ++printDialogs;
        if (cancelPrint)
            return false;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_pdfPath);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
    int Exec(QDialog&) override { return 0; }

    bool cancelPrint = false;
    int printDialogs = 0;
    QStringList messages;

private:
    QString m_pdfPath;
};

#pragma once
// What the Qt benchmarks share: one application on the offscreen platform,
// made at the first use and kept to the end of the process (the benchmark
// library owns main(), and Qt cannot be torn down from the exit handlers),
// and dialogs that print into a PDF file instead of asking anyone.
#include <QApplication>
#include <QPrinter>
#include <QString>

#include "dialogs/Dialogs.h"

inline QApplication& BenchApp()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Chooses a PDF file instead of showing the print dialog; every question is
// answered Cancel / No and no file is chosen.
class CPdfPrinter final : public IDialogs {
public:
    explicit CPdfPrinter(QString path) : m_path(std::move(path)) {}
    void Message(QWidget*, const QString&, const QString&, Icon) override {}
    bool AskOkCancel(QWidget*, const QString&, const QString&) override { return false; }
    bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(QWidget*, QColor, QColor*) override { return false; }
    bool SetupPrinter(QWidget*, QPrinter* printer) override
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_path);
        return true;
    }
    int Exec(QDialog&) override { return 0; }

private:
    QString m_path;
};

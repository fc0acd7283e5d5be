#pragma once
// What the Qt benchmarks share: one application on the offscreen platform,
// made at the first use and kept to the end of the process (the benchmark
// library owns main(), and Qt cannot be torn down from the exit handlers),
// a view's chart of a given size, and dialogs that print into a PDF file instead of asking anyone.
#include <QApplication>
#include <QPrinter>
#include <QSize>
#include <QString>
#include <QWidget>

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

// Resizes window so that its child chart gets size (the window's layout
// gives every extra pixel to the chart).
inline void SizeChartTo(QWidget* window, const QWidget* chart, QSize size)
{
    window->resize(1900, 1100);
    window->show();
    QApplication::processEvents();
    const QSize now = chart->size();
    window->resize(1900 + size.width() - now.width(), 1100 + size.height() - now.height());
    QApplication::processEvents();
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

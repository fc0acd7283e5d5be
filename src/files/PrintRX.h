#pragma once
#include <memory>

#include <QPainter>
#include <QString>

class QPrinter;
class QWidget;

// The printer job of a chart control: chooses the printer, runs one document
// of pages on it and releases it again. Holds no job between commands; every
// job starts from the default printer selection.
class CPrintRX {
public:
    enum EError { kNoError = 0, kPageFailed = 7, kPrinterByNameFailed = 8 };

    CPrintRX();
    ~CPrintRX();
    CPrintRX(const CPrintRX&) = delete;
    CPrintRX& operator=(const CPrintRX&) = delete;

    // Without a name: the print dialog (Dialogs().SetupPrinter); Cancel gives -1.
    // With a name: that printer and the given copies; -1 with error 8 when it
    // does not exist. Returns 0 when a printer is chosen.
    int BeginJob(QWidget* parent, const QString& printerName = {}, int copies = 1);
    // Starts the document "Kova" and reads the printable size; false when the
    // printer cannot be opened (the job is then ended).
    bool StartJobDoc();
    // Starts a page; -1 with error 7 when a new page cannot be started.
    int StartJobPage();
    // Ends the page (the next StartJobPage or EndJob completes it).
    void EndJobPage();
    // Ends the document and releases the printer.
    void EndJob();

    QPainter& Painter() { return m_painter; }
    QPrinter* Printer() const { return m_printer.get(); }
    int HorzRes() const { return m_nHorzRes; }
    int VertRes() const { return m_nVertRes; }
    int Copies() const { return m_nCopies; }
    int Error() const { return m_nError; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_nCopies = 1;
    int m_nHorzRes = 0;
    int m_nVertRes = 0;
    int m_nError = kNoError;
    int m_nPagesStarted = 0;
};

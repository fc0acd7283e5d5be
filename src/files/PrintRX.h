#pragma once
// The printer job of a chart control: chooses the printer (or PDF file), runs
// one document of pages on it and releases it again. Used by the print
// routines on the UI thread. Holds no job between commands; every job starts
// from the default printer selection. A printer or file that cannot be
// started, a page that cannot be started and a printout that did not come out
// whole are reported in a message box that names the printer or file; the job
// is then ended and nothing claims a printout that does not exist.
//
// A PDF file (a new one or a regular file) is written under a temporary name
// in its folder and renamed over the chosen name only once it is whole, so a
// failed or cancelled printout leaves an existing file exactly as it was.
#include <memory>

#include <QPainter>
#include <QPointer>
#include <QString>
#include <QWidget>

class QPrinter;

class CPrintRX {
public:
    enum EError {
        kNoError = 0,
        kPageFailed = 7,            // a page could not be started
        kPrinterByNameFailed = 8,   // the named printer does not exist
        kDocFailed = 9,             // the printer or file could not be opened
        kOutputFailed = 10,         // the printout did not reach the printer or file whole
    };

    CPrintRX();
    ~CPrintRX();
    CPrintRX(const CPrintRX&) = delete;
    CPrintRX& operator=(const CPrintRX&) = delete;

    // Without a name: the print dialog (Dialogs().SetupPrinter); Cancel gives -1.
    // With a name: that printer and the given copies; -1 with error 8 when it
    // does not exist. Returns 0 when a printer is chosen. Failures later in
    // the job are reported with parent as the message box's parent.
    int BeginJob(QWidget* parent, const QString& printerName = {}, int copies = 1);
    // Starts the document "Kova" and reads the printable size; false with
    // error 9 when the printer or file cannot be opened (reported, job ended).
    bool StartJobDoc();
    // Starts a page; -1 with error 7 when a new page cannot be started
    // (reported, job ended).
    int StartJobPage();
    // Ends the page (the next StartJobPage or EndJob completes it).
    void EndJobPage();
    // Ends the document and releases the printer. False with error 10 when the
    // printout did not come out whole (a PDF file missing, empty or cut short,
    // or a printer in its error state), reported naming the file or printer;
    // false without a report when no document was running.
    bool EndJob();
    // Ends the job without a printout (the user cancelled): nothing is
    // reported, a printer's job is aborted and a PDF file stays as it was.
    void AbortJob();

    QPainter& Painter() { return m_painter; }
    QPrinter* Printer() const { return m_printer.get(); }
    int HorzRes() const { return m_nHorzRes; }
    int VertRes() const { return m_nVertRes; }
    int Copies() const { return m_nCopies; }
    int Error() const { return m_nError; }

private:
    void Fail(int error, const QString& message);
    void Release();
    QString PdfFile() const;   // the PDF output file the user chose, empty for a printer
    // Points the printer at a new temporary file next to the chosen PDF
    // file; false (errno set) when it cannot be made.
    bool PrintPdfToTemporary();
    // Renames the whole temporary file over the chosen one; false with errno.
    bool CommitPdf();

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QPointer<QWidget> m_parent;
    int m_nCopies = 1;
    int m_nHorzRes = 0;
    int m_nVertRes = 0;
    int m_nError = kNoError;
    int m_nPagesStarted = 0;
    QString m_strPdfName;   // the PDF file the user chose, while its temporary is printed
    QString m_strPdfTemp;   // that temporary file, until renamed or removed
};

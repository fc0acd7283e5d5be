#include "files/PrintRX.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "dialogs/Dialogs.h"
#include "files/PrintLayout.h"

CPrintRX::CPrintRX() = default;

CPrintRX::~CPrintRX()
{
    EndJob();
}

int CPrintRX::BeginJob(QWidget* parent, const QString& printerName, int copies)
{
    EndJob();
    m_nError = kNoError;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (printerName.isEmpty()) {
        if (!Dialogs().SetupPrinter(parent, m_printer.get())) {
            m_printer.reset();
            return -1;
        }
        m_nCopies = m_printer->copyCount();
    } else {
        if (QPrinterInfo::printerInfo(printerName).isNull()) {
            m_nError = kPrinterByNameFailed;
            m_printer.reset();
            return -1;
        }
        m_printer->setPrinterName(printerName);
        m_printer->setCopyCount(copies);
        m_nCopies = copies;
    }
    return 0;
}

bool CPrintRX::StartJobDoc()
{
    if (!m_printer)
        return false;
    m_printer->setDocName(QString::fromLatin1(sonivel::kPrintDocName));
    m_nPagesStarted = 0;
    if (!m_painter.begin(m_printer.get())) {
        EndJob();
        return false;
    }
    m_nHorzRes = m_printer->width();
    m_nVertRes = m_printer->height();
    // Lines drawn with the default pen are one device pixel wide.
    m_painter.setPen(QPen(Qt::black, 0));
    return true;
}

int CPrintRX::StartJobPage()
{
    if (!m_painter.isActive()) {
        m_nError = kPageFailed;
        return -1;
    }
    // The first page comes with the document.
    if (m_nPagesStarted++ > 0 && !m_printer->newPage()) {
        m_nError = kPageFailed;
        return -1;
    }
    return 0;
}

void CPrintRX::EndJobPage()
{
}

void CPrintRX::EndJob()
{
    if (m_painter.isActive())
        m_painter.end();
    m_printer.reset();
}

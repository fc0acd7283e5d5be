#include "files/PrintRX.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>

#include "dialogs/Dialogs.h"
#include "files/PrintLayout.h"

namespace {

QString Quoted(const QString& name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// Why path cannot be opened for writing: the system's answer to the same
// request. A file this probe creates is removed again.
QString OpenFailureReason(const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    const bool existed = ::access(local.constData(), F_OK) == 0;
    const int fd = ::open(local.constData(), O_WRONLY | O_CLOEXEC | (existed ? 0 : O_CREAT | O_EXCL), 0666);
    if (fd < 0)
        return QString::fromLocal8Bit(std::error_code(errno, std::generic_category()).message());
    ::close(fd);
    if (!existed)
        ::unlink(local.constData());
    return QStringLiteral("the file cannot be opened for printing");
}

// A whole PDF file: a regular, non-empty file that ends with the end-of-file mark.
bool PdfComplete(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    constexpr qint64 kTail = 64;
    return file.seek(std::max<qint64>(0, file.size() - kTail)) && file.read(kTail).contains("%%EOF");
}

QString SystemReason(int err)
{
    return QString::fromLocal8Bit(std::error_code(err, std::generic_category()).message());
}

} // namespace

CPrintRX::CPrintRX() = default;

CPrintRX::~CPrintRX()
{
    Release();
}

int CPrintRX::BeginJob(QWidget* parent, const QString& printerName, int copies)
{
    Release();
    m_nError = kNoError;
    m_parent = parent;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Named before the dialog, which proposes the document's name for a PDF file.
    m_printer->setDocName(QString::fromLatin1(sonivel::kPrintDocName));
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
    if (!PdfFile().isEmpty() && !PrintPdfToTemporary()) {
        Fail(kDocFailed, QStringLiteral("Cannot write %1: %2").arg(Quoted(PdfFile()), SystemReason(errno)));
        return false;
    }
    if (!m_painter.begin(m_printer.get())) {
        const QString file = PdfFile();
        if (!file.isEmpty())
            Fail(kDocFailed, QStringLiteral("Cannot write %1: %2").arg(Quoted(file), OpenFailureReason(file)));
        else if (!m_printer->printerName().isEmpty())
            Fail(kDocFailed, QStringLiteral("Cannot print on %1").arg(Quoted(m_printer->printerName())));
        else
            Fail(kDocFailed, QStringLiteral("Cannot print: neither a printer nor a PDF file was chosen"));
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
        const QString target = PdfFile().isEmpty() ? m_printer->printerName() : PdfFile();
        Fail(kPageFailed, QStringLiteral("Cannot start page %1 on %2").arg(m_nPagesStarted).arg(Quoted(target)));
        return -1;
    }
    return 0;
}

void CPrintRX::EndJobPage()
{
}

bool CPrintRX::EndJob()
{
    if (!m_printer || !m_painter.isActive()) {
        Release();
        return false;
    }
    m_painter.end();
    const QString file = PdfFile();
    if (!file.isEmpty() && !PdfComplete(m_strPdfTemp.isEmpty() ? file : m_strPdfTemp)) {
        Fail(kOutputFailed, QStringLiteral("Cannot write %1: the printout did not reach the file whole")
                                .arg(Quoted(file)));
        return false;
    }
    if (!file.isEmpty() && !CommitPdf()) {
        Fail(kOutputFailed, QStringLiteral("Cannot write %1: %2").arg(Quoted(file), SystemReason(errno)));
        return false;
    }
    if (file.isEmpty() && m_printer->printerState() == QPrinter::Error) {
        Fail(kOutputFailed, QStringLiteral("Cannot print on %1").arg(Quoted(m_printer->printerName())));
        return false;
    }
    Release();
    return true;
}

void CPrintRX::AbortJob()
{
    if (m_printer && m_painter.isActive() && PdfFile().isEmpty())
        m_printer->abort();
    Release();
}

void CPrintRX::Fail(int error, const QString& message)
{
    m_nError = error;
    Release();
    Dialogs().Message(m_parent, message, QStringLiteral("ERROR"), IDialogs::Icon::Warning);
}

void CPrintRX::Release()
{
    if (m_painter.isActive())
        m_painter.end();
    m_printer.reset();
    if (!m_strPdfTemp.isEmpty())
        ::unlink(QFile::encodeName(m_strPdfTemp).constData());
    m_strPdfTemp.clear();
    m_strPdfName.clear();
}

QString CPrintRX::PdfFile() const
{
    if (!m_strPdfName.isEmpty())
        return m_strPdfName;
    return m_printer && m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName() : QString();
}

bool CPrintRX::PrintPdfToTemporary()
{
    const QString name = PdfFile();
    // A link is followed to the file it names; a device or pipe is printed in place.
    const QFileInfo info(name);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : name;
    struct stat existing{};
    const QByteArray local = QFile::encodeName(target);
    const bool exists = ::stat(local.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return true;
    if (exists && ::access(local.constData(), W_OK) != 0)
        return false;
    const QFileInfo targetInfo(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temp = targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName() +
                             QStringLiteral(".sonivel-print-") +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (exists)
            ::fchmod(fd, existing.st_mode & 07777);   // a replaced file keeps its permissions
        ::close(fd);
        m_strPdfName = name;
        m_strPdfTemp = temp;
        m_printer->setOutputFileName(temp);
        return true;
    }
    errno = EEXIST;
    return false;
}

bool CPrintRX::CommitPdf()
{
    if (m_strPdfTemp.isEmpty())
        return true;
    const QFileInfo info(m_strPdfName);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : m_strPdfName;
    if (::rename(QFile::encodeName(m_strPdfTemp).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    m_strPdfTemp.clear();
    return true;
}

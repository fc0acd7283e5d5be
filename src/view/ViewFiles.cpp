// The main view's file and printing commands: Save, Export, Open, the two
// printouts and the data-logger download.
#include <QFile>

#include "dialogs/Dialogs.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/FileNames.h"
#include "view/MyKovaView.h"

namespace {

QString Latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// The path from a save dialog as the file functions take it.
std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void ReportFailure(QWidget* parent, const sonivel::SFileResult& result)
{
    if (!result.ok)
        Dialogs().Message(parent, QString::fromLocal8Bit(result.message.c_str()), QStringLiteral("ERROR"),
                          IDialogs::Icon::Warning);
}

} // namespace

void CMyKovaView::OnSave()
{
    if (m_rtStore.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName(".txt")),
                                                QStringLiteral("txt"), QStringLiteral("Data File(*.txt)"));
    if (path.isEmpty())
        return;
    ReportFailure(this, sonivel::WriteDataFile(LocalPath(path), m_rtStore));
}

void CMyKovaView::OnExport()
{
    if (m_rtStore.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName(".xls")),
                                                QStringLiteral("xls"), QStringLiteral("Data File(*.xls)"));
    if (path.isEmpty())
        return;
    SStatBlock block;
    block.stats = m_stats.Stats();
    block.dSum = m_stats.Sum();
    block.dSampleRate = m_dSampleInterval;
    ReportFailure(this, sonivel::WriteExport(LocalPath(path), m_rtStore, block, sonivel::EExportSource::MainView));
}

void CMyKovaView::OnOpen()
{
    // Placeholder: reading a data file into the logger store opens the
    // data-logger window, which is not part of this window yet.
}

void CMyKovaView::OnPrintGraph()
{
    // Placeholder: the graph printout is bound when printing is available.
}

void CMyKovaView::OnPrintData()
{
    // Placeholder: the data printout is bound when printing is available.
}

void CMyKovaView::OnDataLogger()
{
    if (m_receiver.m_bRunActive) {
        Dialogs().Message(this, QStringLiteral("Please stop the Real Time Runing!"), QStringLiteral("Tip"));
        return;
    }
    // Placeholder: the data-logger download is bound when it is available.
}

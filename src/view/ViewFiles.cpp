// The main view's file and printing commands: Save, Export, Open, the two
// printouts and the data-logger download.
#include <QFile>

#include "dialogs/Dialogs.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/FileNames.h"
#include "files/Printing.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogger.h"
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
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName("txt")),
                                                QStringLiteral("txt"), QStringLiteral("Data File(*.txt)"));
    if (path.isEmpty())
        return;
    ReportFailure(this, sonivel::WriteDataFile(LocalPath(path), m_rtStore));
}

void CMyKovaView::OnExport()
{
    if (m_rtStore.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName("xls")),
                                                QStringLiteral("xls"), QStringLiteral("Data File(*.xls)"));
    if (path.isEmpty())
        return;
    ReportFailure(this, sonivel::WriteExport(LocalPath(path), m_rtStore, StatBlock(), sonivel::EExportSource::MainView));
}

void CMyKovaView::OnOpen()
{
    m_pDataLogger->Open();
}

void CMyKovaView::OnPrintGraph()
{
    if (m_rtStore.IsEmpty())
        return;
    sonivel::PrintGraph(m_print, this, *m_pGraph, m_rtStore, StatBlock());
}

void CMyKovaView::OnPrintData()
{
    if (m_rtStore.IsEmpty())
        return;
    sonivel::PrintData(m_print, this, m_rtStore, StatBlock());
}

void CMyKovaView::OnDataLogger()
{
    m_pDataLogger->DataLogger();
}

// The data-logger window's menu commands: Import, Save Selected, Export To
// Excel and the two printouts, all of the selected group.
#include <QApplication>

#include "dialogs/Dialogs.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/FileNames.h"
#include "files/Printing.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "logger/LogFileRead.h"

using logfile::Latin1;
using logfile::LocalPath;

void CDataLogDlg::OnImport()
{
    // The download decodes into the logger store: no import meanwhile.
    if (m_bDownloadActive)
        return;
    if (!ReadLogFile(this, m_logStore, [this] { ForgetSelection(); }))
        return;
    FillGroupList();
    ForgetSelection();
}

void CDataLogDlg::OnSaveSelected()
{
    if (m_selGroup.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName("txt")),
                                                QStringLiteral("txt"), QStringLiteral("Data File(*.txt)"));
    if (path.isEmpty())
        return;
    const sonivel::SFileResult r = sonivel::WriteDataFile(LocalPath(path), m_selGroup);
    logfile::Report(this, r.ok, r.message);
}

void CDataLogDlg::OnExportExcel()
{
    if (m_selGroup.IsEmpty())
        return;
    const QString path = Dialogs().SaveFileName(this, Latin1(sonivel::InitialFileName("xls")),
                                                QStringLiteral("xls"), QStringLiteral("Data File(*.xls)"));
    if (path.isEmpty())
        return;
    const sonivel::SFileResult r =
        sonivel::WriteExport(LocalPath(path), m_selGroup, m_stat, sonivel::EExportSource::DataLogger);
    logfile::Report(this, r.ok, r.message);
}

void CDataLogDlg::OnPrintGraph()
{
    if (m_selGroup.IsEmpty())
        return;
    CPrintRX job;
    sonivel::PrintGraph(job, this, *m_form.graph, m_selGroup, m_stat);
}

void CDataLogDlg::OnPrintData()
{
    if (m_selGroup.IsEmpty())
        return;
    CPrintRX job;
    sonivel::PrintData(job, this, m_selGroup, m_stat);
}

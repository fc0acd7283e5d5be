// The data-logger window's menu commands: Import, Save Selected, Export To
// Excel and the two printouts, all of the selected group.
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/Printing.h"
#include "graph/GraphicsBtn.h"
#include "logger/DataLogDlg.h"
#include "logger/LogFileRead.h"

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
    const std::string path = logfile::AskSavePath(this, "txt");
    if (!path.empty())
        logfile::Report(this, logfile::SaveDataFile(this, path, m_selGroup));
}

void CDataLogDlg::OnExportExcel()
{
    if (m_selGroup.IsEmpty())
        return;
    const std::string path = logfile::AskSavePath(this, "xls");
    if (!path.empty())
        logfile::Report(this, logfile::ExportRecords(this, path, m_selGroup, m_stat, sonivel::EExportSource::DataLogger));
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

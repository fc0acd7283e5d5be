// The data-logger window's menu commands: Import, Save Selected, Export To
// Excel, Export CSV, the two printouts and the PDF report, all of the selected group,
// and Noise Statistics.
#include "acoustics/NoiseStatistics.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/Printing.h"
#include "graph/GraphicsBtn.h"
#include "logger/CsvExportCommand.h"
#include "logger/DataLogDlg.h"
#include "logger/LogFileRead.h"
#include "report/ReportCommand.h"

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

void CDataLogDlg::OnExportCsv()
{
    if (!m_selGroup.IsEmpty())
        logfile::ExportCsv(this, m_selGroup);
}

void CDataLogDlg::OnPrintGraph()
{
    if (m_selGroup.IsEmpty())
        return;
    CPrintRX job;
    sonivel::PrintGraph(job, this, *m_form.graph, m_selGroup, m_stat);
}

void CDataLogDlg::OnNoiseStatistics()
{
    m_pNoise->ShowWindow();
}

void CDataLogDlg::OnPrintData()
{
    if (m_selGroup.IsEmpty())
        return;
    CPrintRX job;
    sonivel::PrintData(job, this, m_selGroup, m_stat);
}

void CDataLogDlg::OnReportPdf()
{
    if (m_selGroup.IsEmpty())
        return;
    sonivel::ReportPdfCommand(this, m_selGroup, "Data logger group " + std::to_string(m_selGroup.GetAt(0).m_nGroup));
}

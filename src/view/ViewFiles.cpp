// The main view's file and printing commands: Save, Export, Export CSV, Open,
// the two printouts and the data-logger download.
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/Printing.h"
#include "graph/GraphicsBtn.h"
#include "logger/CsvExportCommand.h"
#include "logger/DataLogger.h"
#include "logger/LogFileRead.h"
#include "report/ReportCommand.h"
#include "view/MyKovaView.h"

void CMyKovaView::OnSave()
{
    SaveRunData();
}

bool CMyKovaView::SaveRunData()
{
    if (m_rtStore.IsEmpty())
        return false;
    const std::string path = logfile::AskSavePath(this, "txt");
    if (path.empty())
        return false;
    const sonivel::SFileResult result = logfile::SaveDataFile(this, path, m_rtStore);
    logfile::Report(this, result);
    if (result.ok && !m_run.IsRunning())
        m_journal.Remove();   // saved: the journal has done its work
    return result.ok;
}

void CMyKovaView::OnExport()
{
    if (m_rtStore.IsEmpty())
        return;
    const std::string path = logfile::AskSavePath(this, "xls");
    if (!path.empty())
        logfile::Report(this, logfile::ExportRecords(this, path, m_rtStore, StatBlock(), sonivel::EExportSource::MainView));
}

void CMyKovaView::OnExportCsv()
{
    if (!m_rtStore.IsEmpty())
        logfile::ExportCsv(this, m_rtStore);
}

void CMyKovaView::OnReportPdf()
{
    sonivel::ReportPdfCommand(this, m_rtStore, "Real-time monitoring run");
}

void CMyKovaView::OnOpen()
{
    m_pDataLogger->Open();
}

void CMyKovaView::OpenDataFile(const QString& path)
{
    m_pDataLogger->OpenFile(path);
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

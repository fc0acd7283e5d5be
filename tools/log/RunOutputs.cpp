#include "RunOutputs.h"

#include <sys/stat.h>

#include "common/Clock.h"
#include "files/ExportFromDataFile.h"

bool CRunOutputs::Begin(const std::tm& tm, std::string& message)
{
    const std::string out = ExpandName(m_settings.out, tm);
    m_strExport = m_settings.exportPath.empty() ? std::string() : ExpandName(m_settings.exportPath, tm);
    if (out.empty() || (!m_settings.exportPath.empty() && m_strExport.empty())) {
        message = "Can't write " + (out.empty() ? m_settings.out : m_settings.exportPath) + ": it gives no file name";
        return false;
    }
    if (!m_strExport.empty() && SameFile(out, m_strExport)) {
        message = "Can't write " + out + ": --out and --export name the same file";
        return false;
    }
    m_strCsv = m_settings.csvPath.empty() ? std::string() : ExpandName(m_settings.csvPath, tm);
    if (!m_settings.csvPath.empty() && m_strCsv.empty()) {
        message = "Can't write " + m_settings.csvPath + ": it gives no file name";
        return false;
    }
    if (!m_strCsv.empty() && (SameFile(out, m_strCsv) || (!m_strExport.empty() && SameFile(m_strExport, m_strCsv)))) {
        message = "Can't write " + m_strCsv + ": --csv names the same file as --out or --export";
        return false;
    }
    if (!m_strCsv.empty() && !m_csv.Prepare(m_strCsv, m_settings.existing, m_settings.sampleRate, message))
        return false;
    // The export is made anew from the data file, so a continued run may replace it.
    struct stat st{};
    if (!m_strExport.empty() && m_settings.existing == CRunFile::EExisting::Refuse &&
        ::lstat(m_strExport.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        message = "Can't write " + m_strExport + ": the file exists";
        return false;
    }
    return m_file.Prepare(out, m_settings.existing, m_settings.sampleRate, message);
}

bool CRunOutputs::Check(std::time_t t, std::string& message)
{
    return Begin(sonivel::LocalTime(t), message);
}

bool CRunOutputs::Append(const CObjData& record, std::string& message, std::string& exportFailed)
{
    std::tm tm{};
    if (!ParseRunTime(record.m_strTime, tm))
        tm = sonivel::LocalTime(sonivel::Now());
    const long long period = PeriodOf(tm, m_settings.rotate);
    // A new period whose name is the same (a daily name, hourly rotation)
    // goes on in the same file.
    if (m_nFiles == 0 || (period != m_nPeriod && ExpandName(m_settings.out, tm) != m_file.Path())) {
        if (m_nFiles > 0)
            Finish(exportFailed);   // a failed export leaves its message there
        if (!Begin(tm, message))
            return false;
        ++m_nFiles;
    }
    m_nPeriod = period;
    if (!m_file.Append(record, message))
        return false;
    if (!m_strCsv.empty() && !m_csv.Append(record, message))
        return false;
    ++m_nRecords;
    return true;
}

bool CRunOutputs::Finish(std::string& message)
{
    m_file.Close();
    m_csv.Close();
    if (m_strExport.empty() || m_file.Records() == 0)
        return true;
    const sonivel::SFileResult r =
        sonivel::WriteExportFromDataFile(m_file.Path(), m_strExport, m_settings.sampleRate);
    message = r.message;
    return r.ok;
}

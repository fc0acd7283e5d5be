#pragma once
#include <ctime>
#include <string>

#include "RunFile.h"
#include "RunNames.h"

// The files of one `record` run, on the main loop's thread: the data text
// file (CRunFile) of the current period, when asked its CSV file (written
// record by record beside it, with the same rules), and when asked its spreadsheet
// export, made from the data file once that file is complete (at a rotation
// and at the end of the run), so no record is held in memory. Each record
// goes to the file named for its own time stamp: at a boundary the previous
// file is finished before the first record of the next period is written,
// so every record is in exactly one file.
//
// Existing files are refused (the message names them) unless existing says
// otherwise; the data file, the CSV file and the export never name the same file.
class CRunOutputs {
public:
    struct SSettings {
        std::string out;          // name pattern of the data text file
        std::string exportPath;   // name pattern of the export; empty for none
        std::string csvPath;      // name pattern of the CSV file; empty for none
        CRunFile::EExisting existing = CRunFile::EExisting::Refuse;
        ERotate rotate = ERotate::None;
        double sampleRate = 1;
    };
    explicit CRunOutputs(SSettings settings) : m_settings(std::move(settings)) {}

    // Checks, before the run, the files a record taken at t would go to.
    // False with a message naming the file.
    bool Check(std::time_t t, std::string& message);
    // Writes record to the file of its period, finishing the previous file
    // at a boundary. False with a message: the run must end (the files keep
    // every record before). An export that failed at a boundary is reported
    // through exportFailed and the run goes on.
    bool Append(const CObjData& record, std::string& message, std::string& exportFailed);
    // Ends the current file and writes its export. False with a message
    // naming the export that failed.
    bool Finish(std::string& message);
    // Ends the current file without its export (after a failed write).
    void Close()
    {
        m_file.Close();
        m_csv.Close();
    }

    std::size_t Records() const { return m_nRecords; }
    std::size_t Files() const { return m_nFiles; }
    // The data file written last (the pattern before the first record).
    std::string CurrentPath() const { return m_nFiles ? m_file.Path() : m_settings.out; }

private:
    bool Begin(const std::tm& tm, std::string& message);

    SSettings m_settings;
    CRunFile m_file;
    CRunFile m_csv{CRunFile::EFormat::Csv};
    std::string m_strCsv;      // the CSV file of the current period
    std::string m_strExport;   // the export of the current file
    long long m_nPeriod = 0;
    std::size_t m_nRecords = 0;
    std::size_t m_nFiles = 0;
};

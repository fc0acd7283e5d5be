#pragma once
#include <string>

#include "records/ObjData.h"

// The data text file of a monitoring run, written as the run goes on the
// main loop's thread: the header line with the first record, then each record
// appended and handed to the system at once, so a crash of the program loses
// at most the record being written. The bytes are those of the program's Save
// (sonivel::FormatDataFile) for the same records.
//
// The file is created with the first record, so a run without records leaves
// no file (and an existing one untouched). An existing file is refused (the
// refusal names it), replaced, or continued, as the caller chooses: a file
// that is continued keeps its header and every byte of its whole lines (a
// last line that a crash cut short is removed, since a record after it would
// make it look whole). A write that fails (full disk, file size limit) cuts
// the file back to its whole lines: every record before the failed one stays
// readable and no partial line is left (no file at all when the first record
// of a new file failed). The path is never written through a symbolic link.
// The path "-" is standard output.
//
// The same file in the CSV format (sonivel::CsvHeader, sonivel::AppendCsvRow)
// follows the same rules; a CSV file is continued when its header is the CSV
// header, and a last row without its line end is kept only when it is whole.
class CRunFile {
public:
    static constexpr const char* kStandardOutput = "-";
    // What to do with a file that exists already.
    enum class EExisting { Refuse, Replace, Append };
    enum class EFormat { DataText, Csv };

    explicit CRunFile(EFormat format = EFormat::DataText) : m_format(format) {}

    ~CRunFile();
    CRunFile(const CRunFile&) = delete;
    CRunFile& operator=(const CRunFile&) = delete;

    // Checks that the file can be written at path (its folder exists, it is
    // no folder or symbolic link), without creating it. An existing file is
    // refused, or, for Append, refused unless its header is the one of a run
    // every sampleRate seconds. False with a message naming the file.
    bool Prepare(const std::string& path, EExisting existing, double sampleRate, std::string& message);
    // Appends one record (creating the file with the header first). False with
    // a message naming the file; the file then holds the records before it.
    bool Append(const CObjData& record, std::string& message);
    void Close();
    // The records appended since Prepare.
    std::size_t Records() const { return m_nRecords; }
    const std::string& Path() const { return m_strPath; }

private:
    bool Fail(const std::string& reason, std::string& message);
    bool Open(std::string& message);
    bool EndWithWholeLine();
    void CutToWholeLines();

    const EFormat m_format;
    int m_fd = -1;
    std::string m_strPath;
    EExisting m_existing = EExisting::Refuse;
    std::size_t m_nRecords = 0;
    bool m_bContinued = false;     // the file held a header before this run
    long long m_nWholeBytes = 0;   // the file's size up to the end of its last whole line
};

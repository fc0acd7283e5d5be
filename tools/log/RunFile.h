#pragma once
#include <string>

#include "monitor/ObjData.h"

// The data text file of a monitoring run, written as the run goes on the
// main loop's thread: the header line with the first record, then each record
// appended and handed to the system at once, so a crash of the program loses
// at most the record being written. The bytes are those of the program's Save
// (sonivel::FormatDataFile) for the same records.
//
// The file is created with the first record, so a run without records leaves
// no file (and an existing one untouched). A write that fails (full disk, file
// size limit) cuts the file back to its whole lines: every record before the
// failed one stays readable and no partial line is left (no file at all when
// the first record failed). The path is never
// written through a symbolic link. The path "-" is standard output.
class CRunFile {
public:
    static constexpr const char* kStandardOutput = "-";

    CRunFile() = default;
    ~CRunFile();
    CRunFile(const CRunFile&) = delete;
    CRunFile& operator=(const CRunFile&) = delete;

    // Checks that the file can be written at path (its folder exists, it is
    // no folder or symbolic link), without creating it. False with a message
    // naming the file.
    bool Prepare(const std::string& path, std::string& message);
    // Appends one record (creating the file with the header first). False with
    // a message naming the file; the file then holds the records before it.
    bool Append(const CObjData& record, std::string& message);
    void Close();
    std::size_t Records() const { return m_nRecords; }

private:
    bool Fail(const char* reason, std::string& message);
    void CutToWholeLines();

    int m_fd = -1;
    std::string m_strPath;
    std::size_t m_nRecords = 0;
    long long m_nWholeBytes = 0;   // the bytes of the whole lines written
};

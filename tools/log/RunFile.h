#pragma once
#include <cstdio>
#include <string>

#include "monitor/ObjData.h"

// The data text file of a monitoring run, written as the run goes: the header
// line with the first record, then each record appended and handed to the
// system at once, so a crash of the program loses at most the record being
// written. The bytes are those of
// the program's Save (sonivel::FormatDataFile) for the same records.
class CRunFile {
public:
    CRunFile() = default;
    ~CRunFile();
    CRunFile(const CRunFile&) = delete;
    CRunFile& operator=(const CRunFile&) = delete;

    // Creates (truncates) the file. False with a message naming the file.
    bool Create(const std::string& path, std::string& message);
    // Appends one record (the header first, from the first record's interval).
    bool Append(const CObjData& record, std::string& message);
    void Close();
    std::size_t Records() const { return m_nRecords; }

private:
    std::FILE* m_file = nullptr;
    std::string m_strPath;
    std::size_t m_nRecords = 0;
};

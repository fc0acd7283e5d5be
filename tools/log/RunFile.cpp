#include "RunFile.h"

#include <cerrno>
#include <cstring>

#include "files/DataFile.h"
#include "monitor/RecordList.h"

CRunFile::~CRunFile()
{
    Close();
}

bool CRunFile::Create(const std::string& path, std::string& message)
{
    Close();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        message = "Can't write " + path + ": " + std::strerror(errno);
        return false;
    }
    m_strPath = path;
    m_nRecords = 0;
    return true;
}

bool CRunFile::Append(const CObjData& record, std::string& message)
{
    if (!m_file)
        return false;
    // The file format's own formatter, on a list of this one record: the
    // header line, then the record's line.
    CRecordSelection one;
    one.Add(record);
    std::string text = sonivel::FormatDataFile(one);
    if (m_nRecords > 0)
        text.erase(0, text.find('\n') + 1);
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size() || std::fflush(m_file) != 0) {
        message = "Can't write " + m_strPath + ": " + std::strerror(errno);
        return false;
    }
    ++m_nRecords;
    return true;
}

void CRunFile::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

#include "RunFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/Text.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/SafeRead.h"
#include "records/RecordList.h"

CRunFile::~CRunFile()
{
    Close();
}

bool CRunFile::Fail(const std::string& reason, std::string& message)
{
    message = "Can't write " + m_strPath + ": " + reason;
    return false;
}

namespace {

// Whether a line is a whole CSV row as AppendCsvRow writes it (without its
// line end): it ends in a weighting after a level with two decimals.
bool IsWholeCsvRow(std::string_view line)
{
    const auto comma = line.rfind(',');
    if (comma == std::string_view::npos || comma < 4 || (line.substr(comma + 1) != "A" && line.substr(comma + 1) != "C"))
        return false;
    const std::string_view level = line.substr(0, comma);
    return level[level.size() - 3] == '.' && std::isdigit(static_cast<unsigned char>(level[level.size() - 2])) &&
           std::isdigit(static_cast<unsigned char>(level.back()));
}

// Why the CSV file at path cannot be continued; empty when it can.
std::string WhyNotContinuedCsv(const std::string& path)
{
    int fd = -1;
    if (const sonivel::SFileResult opened = sonivel::OpenRegularFile(path, fd); !opened.ok)
        return opened.message;
    std::string head(sonivel::CsvHeader().size(), '\0');
    const ssize_t n = ::pread(fd, head.data(), head.size(), 0);
    ::close(fd);
    if (n == 0)
        return {};
    return head == sonivel::CsvHeader() ? std::string() : "it is no CSV file of levels";
}

// Why the file at path cannot be continued by a run every sampleRate
// seconds; empty when it can.
std::string WhyNotContinued(const std::string& path, double sampleRate)
{
    int fd = -1;
    if (const sonivel::SFileResult opened = sonivel::OpenRegularFile(path, fd); !opened.ok)
        return opened.message;
    sonivel::CLineReader lines([fd](char* b, std::size_t n) { return sonivel::ReadSome(fd, b, n); },
                               sonivel::kDataFileMaxLine);
    std::string_view header;
    bool ended = false;
    const auto status = lines.Next(header, ended);
    const bool isLine = status == sonivel::CLineReader::EStatus::Line;
    std::string why;
    if (isLine && header.starts_with(sonivel::kDataFileHeader) && header != sonivel::FormatDataFileHeader(sampleRate))
        why = sonivel::Format("it was recorded every %g s, not every %g s", sonivel::ParseHeaderRate(header), sampleRate);
    else if ((isLine && !header.starts_with(sonivel::kDataFileHeader)) || (!isLine && status != sonivel::CLineReader::EStatus::End))
        why = "it is no data text file";
    ::close(fd);
    return why;
}

} // namespace

bool CRunFile::Prepare(const std::string& path, EExisting existing, double sampleRate, std::string& message)
{
    Close();
    m_strPath = path;
    m_existing = existing;
    m_nRecords = 0;
    m_nWholeBytes = 0;
    m_bContinued = false;
    if (path == kStandardOutput) {
        m_fd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
        return m_fd >= 0 || Fail(std::strerror(errno), message);
    }
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode))
            return Fail("it is a symbolic link", message);
        if (S_ISDIR(st.st_mode))
            return Fail(std::strerror(EISDIR), message);
        if (::access(path.c_str(), W_OK) != 0)
            return Fail(std::strerror(errno), message);
        if (existing == EExisting::Refuse && S_ISREG(st.st_mode))
            return Fail("the file exists", message);
        if (existing == EExisting::Append && S_ISREG(st.st_mode))
            if (const std::string why = m_format == EFormat::Csv ? WhyNotContinuedCsv(path)
                                                                 : WhyNotContinued(path, sampleRate);
                !why.empty())
                return Fail("can't continue it: " + why, message);
    } else if (const auto folder = std::filesystem::path(path).parent_path();
               ::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        return Fail(std::strerror(errno), message);
    }
    return true;
}

bool CRunFile::Open(std::string& message)
{
    // Non-blocking open so that a pipe without a reader fails at once. A new
    // file is created exclusively: one that appeared since Prepare stays.
    const int how = m_existing == EExisting::Append    ? O_RDWR | O_APPEND
                    : m_existing == EExisting::Replace ? O_WRONLY | O_TRUNC
                                                       : O_WRONLY | O_EXCL;
    m_fd = ::open(m_strPath.c_str(), how | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return Fail(std::strerror(errno), message);
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    if (m_existing == EExisting::Append && !EndWithWholeLine()) {
        const int err = errno;
        Close();
        return Fail(err ? std::strerror(err) : m_format == EFormat::Csv ? "it is no CSV file of levels" : "it is no data text file",
                    message);
    }
    return true;
}

bool CRunFile::EndWithWholeLine()
{
    struct stat st{};
    if (::fstat(m_fd, &st) != 0)
        return false;
    if (!S_ISREG(st.st_mode) || st.st_size == 0)
        return true;
    // The last line: a whole record without its line end gets one, anything
    // else after the last line end (a write cut short) goes.
    const auto size = static_cast<long long>(st.st_size);
    std::string tail(static_cast<std::size_t>(std::min<long long>(size, sonivel::kDataFileMaxLine + 2)), '\0');
    const long long from = size - static_cast<long long>(tail.size());
    if (::pread(m_fd, tail.data(), tail.size(), from) != static_cast<ssize_t>(tail.size()))
        return false;
    const auto lastEnd = tail.find_last_of("\r\n");
    if (lastEnd == std::string::npos && from > 0)
        return errno = 0, false;   // a line far longer than any of ours
    const std::string_view last = lastEnd == std::string::npos ? std::string_view(tail)
                                                               : std::string_view(tail).substr(lastEnd + 1);
    std::string_view mend;
    if (last.empty() && tail.back() == '\r')
        mend = "\n";
    else if (!last.empty() && (m_format == EFormat::Csv ? IsWholeCsvRow(last) : sonivel::IsWholeRecordLine(last)))
        mend = sonivel::kLineEnd;
    m_nWholeBytes = size - static_cast<long long>(mend.empty() ? last.size() : 0);
    if (!mend.empty() && ::write(m_fd, mend.data(), mend.size()) != static_cast<ssize_t>(mend.size()))
        return false;
    if (mend.empty() && !last.empty() && ::ftruncate(m_fd, m_nWholeBytes) != 0)
        return false;
    m_nWholeBytes += static_cast<long long>(mend.size());
    m_bContinued = m_nWholeBytes > 0;
    return true;
}

bool CRunFile::Append(const CObjData& record, std::string& message)
{
    if (m_fd < 0) {
        if (m_nRecords > 0 || m_strPath.empty())
            return Fail(std::strerror(EBADF), message);
        if (!Open(message))
            return false;
    }
    // The file format's own formatter, on a list of this one record: the
    // header line, then the record's line.
    std::string text;
    if (m_format == EFormat::Csv) {
        text = sonivel::CsvHeader();
        sonivel::AppendCsvRow(text, record);
    } else {
        CRecordStore one;
        one.Add(record);
        text = sonivel::FormatDataFile(one);
    }
    if (m_nRecords > 0 || m_bContinued)
        text.erase(0, text.find('\n') + 1);
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t n = ::write(m_fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            CutToWholeLines();
            return Fail(std::strerror(err), message);
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    m_nWholeBytes += static_cast<long long>(text.size());
    ++m_nRecords;
    return true;
}

void CRunFile::CutToWholeLines()
{
    // Away with the part of the line that did get through; a file without a
    // whole record goes altogether. A device cannot be cut and needs no cutting.
    struct stat st{};
    if (::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (m_nRecords == 0 && !m_bContinued) {
            ::unlink(m_strPath.c_str());
        } else {
            // Best effort: the message names the file either way.
            [[maybe_unused]] const int cut = ::ftruncate(m_fd, m_nWholeBytes);
        }
    }
    Close();
}

void CRunFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

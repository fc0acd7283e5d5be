#include "RunFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/DataFile.h"
#include "monitor/RecordList.h"

CRunFile::~CRunFile()
{
    Close();
}

bool CRunFile::Fail(const char* reason, std::string& message)
{
    message = "Can't write " + m_strPath + ": " + reason;
    return false;
}

bool CRunFile::Prepare(const std::string& path, std::string& message)
{
    Close();
    m_strPath = path;
    m_nRecords = 0;
    m_nWholeBytes = 0;
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
    } else if (const auto folder = std::filesystem::path(path).parent_path();
               ::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0) {
        return Fail(std::strerror(errno), message);
    }
    return true;
}

bool CRunFile::Append(const CObjData& record, std::string& message)
{
    if (m_fd < 0) {
        if (m_nRecords > 0 || m_strPath.empty())
            return Fail(std::strerror(EBADF), message);
        // Non-blocking open so that a pipe without a reader fails at once.
        m_fd = ::open(m_strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (m_fd < 0)
            return Fail(std::strerror(errno), message);
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    }
    // The file format's own formatter, on a list of this one record: the
    // header line, then the record's line.
    CRecordSelection one;
    one.Add(record);
    std::string text = sonivel::FormatDataFile(one);
    if (m_nRecords > 0)
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
        if (m_nRecords == 0) {
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

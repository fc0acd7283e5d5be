#include "monitor/RunJournal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/DataFile.h"
#include "files/SafeRead.h"

namespace {

// Writes all of text; false with errno set.
bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Hands the folder's entries to the disk, so a new journal's name survives a
// power cut with its first record. Best effort: the records themselves are
// synchronised on their own.
void SyncFolder(const std::string& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool ReadAll(int fd, std::string& content)
{
    char buffer[65536];
    long n;
    while ((n = sonivel::ReadSome(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, static_cast<std::size_t>(n));
    return n == 0;
}

} // namespace

std::string DefaultJournalFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/Sonivel";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/state/Sonivel";
    return {};
}

CRunJournal::CRunJournal(std::string folder) : m_strFolder(std::move(folder)) {}

CRunJournal::~CRunJournal()
{
    Close();
}

std::string CRunJournal::Path() const
{
    return m_strFolder.empty() ? std::string() : m_strFolder + "/" + kJournalFileName;
}

void CRunJournal::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_nWholeBytes = 0;
    m_strBroken.clear();
}

bool CRunJournal::Fail(const std::string& reason, std::string& message)
{
    m_strBroken = "Can't write the run's journal " + Path() + ": " + reason;
    message = m_strBroken;
    return false;
}

CRunJournal::SLeftOver CRunJournal::TakeOver()
{
    SLeftOver left;
    if (m_strFolder.empty() || m_bKept || m_fd >= 0)
        return left;
    const std::string path = Path();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR)   // no journal at all
            left.message = "Can't read the run's journal " + path + ": " + std::strerror(errno);
        return left;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);   // not a file of ours, or another window is writing it
        return left;
    }
    std::string content;
    if (!ReadAll(fd, content)) {
        left.message = "Can't read the run's journal " + path + ": " + std::strerror(errno);
        ::close(fd);
        return left;
    }
    // A last line without its line end was being written when the program
    // ended: a whole record gets its line end, anything less goes.
    std::size_t whole = content.rfind('\n') == std::string::npos ? 0 : content.rfind('\n') + 1;
    std::string_view tail = std::string_view(content).substr(whole);
    const bool hasCr = tail.ends_with('\r');
    if (hasCr)
        tail.remove_suffix(1);
    bool repaired = true;
    if (!tail.empty() && whole > 0 && sonivel::IsWholeRecordLine(tail)) {
        const std::string_view end = sonivel::kLineEnd.substr(hasCr ? 1 : 0);
        repaired = WriteAll(fd, end);
        content.append(end);
    } else if (whole < content.size()) {
        repaired = ::ftruncate(fd, static_cast<off_t>(whole)) == 0;
        content.resize(whole);
    }
    sonivel::SDataFileRead read = sonivel::ParseDataFile(content);
    if (read.status != sonivel::SDataFileRead::EStatus::Ok && !content.empty()) {
        const std::string aside = path + ".unreadable";
        if (::rename(path.c_str(), aside.c_str()) == 0)
            left.message = "The run's journal " + path + " is no data file (" + read.message + "); it is kept as " + aside;
        else
            left.message = "The run's journal " + path + " is no data file (" + read.message + ")";
        ::close(fd);
        return left;
    }
    if (read.records.IsEmpty()) {
        ::unlink(path.c_str());   // no whole record: nothing to restore
        ::close(fd);
        return left;
    }
    if (!repaired)
        left.message = "Can't repair the run's journal " + path + ": " + std::strerror(errno);
    ::lseek(fd, 0, SEEK_END);
    m_fd = fd;
    m_nWholeBytes = static_cast<long long>(content.size());
    left.records = std::move(read.records);
    return left;
}

bool CRunJournal::Append(const CObjData& record, std::string& message)
{
    if (m_strFolder.empty() || m_bKept)
        return true;
    if (!m_strBroken.empty()) {
        message = m_strBroken;
        return false;
    }
    std::string text;
    if (m_fd < 0) {
        const std::string path = Path();
        std::error_code ec;
        std::filesystem::create_directories(m_strFolder, ec);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0)
            return Fail(std::strerror(errno), message);
        struct stat st{};
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        const bool locked = regular && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (!locked || st.st_size > 0) {
            ::close(fd);
            m_fd = -1;
            return Fail(!regular  ? "it is no regular file"
                        : !locked ? "another Sonivel window is writing it"
                                  : "it holds an earlier run that waits to be restored",
                        message);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        m_fd = fd;
        m_nWholeBytes = 0;
        SyncFolder(m_strFolder);
        text = sonivel::FormatDataHeaderLine(record.m_dSampleRate);
    }
    text += sonivel::FormatDataRecordLine(record);
    if (!WriteAll(m_fd, text) || ::fdatasync(m_fd) != 0) {
        const int err = errno;
        // Away with the part of the line that did get through.
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, static_cast<off_t>(m_nWholeBytes));
        ::lseek(m_fd, 0, SEEK_END);
        return Fail(std::strerror(err), message);
    }
    m_nWholeBytes += static_cast<long long>(text.size());
    return true;
}

void CRunJournal::Remove()
{
    if (m_bKept || m_fd < 0)
        return;
    ::unlink(Path().c_str());
    Close();
}

void CRunJournal::Keep()
{
    Close();
    m_bKept = true;
}

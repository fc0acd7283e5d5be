#include "files/SafeWrite.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonivel {
namespace {

std::string Reason(int err)
{
    return std::error_code(err, std::generic_category()).message();
}

SFileResult Failure(const char* what, const std::string& path, int err)
{
    return {false, std::string(what) + " \"" + path + "\": " + Reason(err)};
}

// The file a write really replaces: the target of a symbolic link, else path.
std::string ResolveTarget(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    std::error_code ec;
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, empty temporary file next to target; -1 with errno on failure.
int CreateTemporary(const std::string& target, std::string& tmpPath)
{
    static std::atomic<unsigned> counter{0};
    const std::string stem = FolderOf(target) + "/." + BaseOf(target) + ".tmp" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = stem + std::to_string(counter++);
        const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Devices, pipes and the like are written in place: there is nothing to keep
// and they must not be replaced by a regular file.
SFileResult WriteInPlace(const std::string& target, const std::string& path, std::string_view content)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return Failure("Cannot write", path, errno);
    int err = WriteAll(fd, content) ? 0 : errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    return err ? Failure("Cannot write", path, err) : SFileResult{};
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);   // best effort: the rename has happened already
        ::close(fd);
    }
}

} // namespace

SFileResult WriteWholeFile(const std::string& path, std::string_view content)
{
    const std::string target = ResolveTarget(path);

    struct stat existing{};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return Failure("Cannot write", path, EISDIR);
        if (!S_ISREG(existing.st_mode))
            return WriteInPlace(target, path, content);
        // A file the user may not write stays as it is, although the folder
        // would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0)
            return Failure("Cannot write", path, errno);
    }

    std::string tmpPath;
    const int fd = CreateTemporary(target, tmpPath);
    if (fd < 0)
        return Failure("Cannot write", path, errno);

    int err = 0;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        err = errno;
    if (!err && !WriteAll(fd, content))
        err = errno;
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (!err && ::rename(tmpPath.c_str(), target.c_str()) != 0)
        err = errno;
    if (err) {
        ::unlink(tmpPath.c_str());
        return Failure("Cannot write", path, err);
    }
    SyncFolder(FolderOf(target));
    return {};
}

SFileResult ReadWholeFile(const std::string& path, std::string& content)
{
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Failure("Cannot open", path, errno);
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Failure("Cannot open", path, EISDIR);
    }
    if (st.st_size > 0)
        content.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            content.clear();
            return Failure("Cannot read", path, err);
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {};
}

} // namespace sonivel

#include "files/SafeWrite.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonivel {
namespace {

constexpr std::string_view kTempMark = ".sonivel-tmp-";

SFileResult Failure(const std::string& path, int err)
{
    return FileFailure("Cannot write", path, err);
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

// The name every temporary file of target begins with.
std::string TempPrefix(const std::string& target)
{
    return "." + BaseOf(target) + std::string(kTempMark);
}

// The file a write replaces: path itself, or for a path the user chose, the
// file its symbolic link points to.
SFileResult ResolveTarget(const std::string& path, EPathSource source, std::string& target)
{
    target = path;
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return {};
    if (source != EPathSource::UserChosen)
        return FileFailure("Cannot write", path, "it is a symbolic link");
    std::error_code ec;
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    if (!ec)
        target = resolved.string();
    return {};
}

// Removes the temporary files of target that no writer holds any more: a
// writer keeps its temporary file locked until it is renamed or removed, so
// an unlocked one was left by a crash.
void RemoveStaleTemporaries(const std::string& target)
{
    DIR* dir = ::opendir(FolderOf(target).c_str());
    if (!dir)
        return;
    const std::string prefix = TempPrefix(target);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, prefix.size()) != prefix)
            continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st{};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

std::string RandomSuffix()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kChars[pick(random)];
    return suffix;
}

// Creates a new, empty temporary file next to target, locked for as long as it
// is open; -1 with errno on failure. The mode 0666 lets the umask decide.
int CreateTemporary(const std::string& target, std::string& tmpPath)
{
    const std::string stem = FolderOf(target) + "/" + TempPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmpPath = stem + RandomSuffix();
        const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // Another writer's clean-up may have taken the file between its
        // creation and the lock: then it has no name any more.
        struct stat st{};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0)
            return fd;
        ::close(fd);
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

// Runs produce into fd: 0, or the errno of the failed write, or -1 when
// produce itself failed (its result in failure).
int ProduceInto(int fd, const ContentProducer& produce, SFileResult& failure)
{
    int err = 0;
    const ContentWriter write = [fd, &err](std::string_view piece) {
        if (!err && !WriteAll(fd, piece))
            err = errno;
        return err == 0;
    };
    SFileResult produced = produce(write);
    if (err)
        return err;
    if (!produced.ok) {
        failure = std::move(produced);
        return -1;
    }
    return 0;
}

// Devices, pipes and the like are written in place: there is nothing to keep
// and they must not be replaced by a regular file.
SFileResult WriteInPlace(const std::string& target, const std::string& path, const ContentProducer& produce)
{
    // Non-blocking open: a pipe without a reader fails instead of waiting.
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure(path, errno);
    SFileResult failure;
    int err = 0;
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        err = errno;
    if (!err)
        err = ProduceInto(fd, produce, failure);
    if (::close(fd) != 0 && !err)
        err = errno;
    if (err < 0)
        return failure;
    return err ? Failure(path, err) : SFileResult{};
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

SFileResult WriteWholeFile(const std::string& path, std::string_view content, EPathSource source)
{
    return WriteFileFrom(
        path, [content](const ContentWriter& write) { return write(content), SFileResult{}; }, source);
}

SFileResult WriteFileFrom(const std::string& path, const ContentProducer& produce, EPathSource source)
{
    std::string target;
    if (SFileResult resolved = ResolveTarget(path, source, target); !resolved.ok)
        return resolved;

    struct stat existing{};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return Failure(path, EISDIR);
        if (S_ISLNK(existing.st_mode))
            return FileFailure("Cannot write", path, "it is a symbolic link");
        if (!S_ISREG(existing.st_mode))
            return WriteInPlace(target, path, produce);
        // A file the user may not write stays as it is, although the folder
        // would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0)
            return Failure(path, errno);
    }

    RemoveStaleTemporaries(target);
    std::string tmpPath;
    const int fd = CreateTemporary(target, tmpPath);
    if (fd < 0)
        return Failure(path, errno);

    SFileResult failure;
    int err = 0;
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        err = errno;
    if (!err)
        err = ProduceInto(fd, produce, failure);
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (!err && ::rename(tmpPath.c_str(), target.c_str()) != 0)
        err = errno;
    if (err)
        ::unlink(tmpPath.c_str());
    // The lock is released only once the temporary name is gone; after fsync
    // closing cannot lose the bytes any more.
    ::close(fd);
    if (err < 0)
        return failure;
    if (err)
        return Failure(path, err);
    SyncFolder(FolderOf(target));
    return {};
}

} // namespace sonivel

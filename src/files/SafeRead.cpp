#include "files/SafeRead.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonivel {

SFileResult OpenRegularFile(const std::string& path, int& fd)
{
    // Non-blocking, so that opening a pipe does not wait for its writer.
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileFailure("Cannot open", path, errno);
    struct stat st{};
    SFileResult result;
    if (::fstat(fd, &st) != 0)
        result = FileFailure("Cannot open", path, errno);
    else if (S_ISDIR(st.st_mode))
        result = FileFailure("Cannot open", path, EISDIR);
    else if (!S_ISREG(st.st_mode))
        result = FileFailure("Cannot open", path, "not a regular file");
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        result = FileFailure("Cannot open", path, errno);
    if (!result.ok) {
        ::close(fd);
        fd = -1;
    }
    return result;
}

long ReadSome(int fd, char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return static_cast<long>(n);
    }
}

SFileResult ReadSmallFile(const std::string& path, std::size_t maxBytes, std::string& content)
{
    content.clear();
    int fd = -1;
    const SFileResult opened = OpenRegularFile(path, fd);
    if (!opened.ok)
        return opened;
    // One byte more than allowed tells a file that is too long.
    content.resize(maxBytes + 1);
    std::size_t done = 0;
    long n = 0;
    while (done < content.size() && (n = ReadSome(fd, content.data() + done, content.size() - done)) > 0)
        done += static_cast<std::size_t>(n);
    const int err = errno;
    ::close(fd);
    content.resize(done);
    if (n < 0) {
        content.clear();
        return FileFailure("Cannot read", path, err);
    }
    if (done > maxBytes) {
        content.clear();
        return FileFailure("Cannot read", path, "the file is too large");
    }
    return {};
}

} // namespace sonivel

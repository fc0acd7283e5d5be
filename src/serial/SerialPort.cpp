#include "serial/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t BaudConstant(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600;
    }
}

} // namespace

CSerialException::CSerialException(std::string path, int error)
    : std::runtime_error("cannot open " + path + ": " + std::strerror(error)),
      m_strPath(std::move(path)), m_nError(error)
{
}

CSerialPort::~CSerialPort()
{
    Close();
}

void CSerialPort::Open(const std::string& path, int baud)
{
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw CSerialException(path, errno);
    auto fail = [&](int error) {
        ::close(fd);
        throw CSerialException(path, error);
    };
    if (!::isatty(fd))
        fail(ENOTTY);
    // Nobody else may open the port while we hold it. The exclusive-use flag
    // does not bind root, so an advisory lock stands beside it: a second
    // opener, root or not, is refused instead of splitting the stream. A
    // device that cannot be locked at all is used without the lock.
    if (::ioctl(fd, TIOCEXCL) != 0)
        fail(errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        fail(EBUSY);

    termios tio {};
    if (::tcgetattr(fd, &tio) != 0)
        fail(errno);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = kReadSize;
    tio.c_cc[VTIME] = kInterByteTenths;
    ::cfsetispeed(&tio, BaudConstant(baud));
    ::cfsetospeed(&tio, BaudConstant(baud));
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        fail(errno);

    // Opened non-blocking so that a modem line cannot stall the open; reads
    // block from here on (the VMIN/VTIME discipline needs it).
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        fail(errno);

    ::tcflush(fd, TCIOFLUSH);
    m_fd = fd;
    m_strPath = path;
}

void CSerialPort::Close()
{
    if (m_fd < 0)
        return;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);   // also releases the lock
    m_fd = -1;
}

long CSerialPort::Read(std::uint8_t* buffer, std::size_t count)
{
    if (m_fd < 0) {
        errno = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, count);
        if (n < 0 && errno == EINTR)
            continue;
        return static_cast<long>(n);
    }
}

std::size_t CSerialPort::Write(const std::uint8_t* data, std::size_t count, int timeoutMs, int cancelFd)
{
    if (m_fd < 0)
        return 0;
    std::size_t done = 0;
    while (done < count) {
        pollfd pfd[2] = {{m_fd, POLLOUT, 0}, {cancelFd, POLLIN, 0}};
        const int ready = ::poll(pfd, cancelFd >= 0 ? 2 : 1, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || pfd[1].revents != 0 || (pfd[0].revents & (POLLERR | POLLHUP | POLLNVAL)))
            break;
        const ssize_t n = ::write(m_fd, data + done, count - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void CSerialPort::Purge()
{
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIOFLUSH);
}

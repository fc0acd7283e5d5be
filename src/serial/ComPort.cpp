#include "serial/ComPort.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

CComPort::~CComPort()
{
    Close();
}

bool CComPort::Open(const std::string& path, ReceiveCallback callback)
{
    Close();
    m_strPath = path;
    try {
        std::lock_guard lock(m_writeLock);
        m_serial.Open(path);
    } catch (const CSerialException& e) {
        m_nLastError = e.Error();
        return false;
    }
    std::unique_lock lock(m_writeLock);
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_nLastError = errno;
        m_serial.Close();
        return false;
    }
    lock.unlock();
    m_nLastError = 0;
    m_callback = std::move(callback);
    m_bOpen = true;
    m_bReading = true;
    try {
        m_reader = std::thread([this] { ReaderLoop(); });
    } catch (const std::system_error& e) {
        m_bReading = false;
        m_nLastError = e.code().value();
        Close();
        return false;
    }
    return true;
}

void CComPort::Close()
{
    // The wake-up pipe stays readable from here on: it ends the reader's poll
    // and makes every Write waiting for room in the line give up.
    if (m_wake[1] >= 0) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &stop, 1);
    }
    if (m_reader.joinable()) {
        if (m_reader.get_id() == std::this_thread::get_id())
            return;   // asked from the callback: the reader ends; a later Close joins it
        m_reader.join();
    }
    std::lock_guard lock(m_writeLock);
    for (int& fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    m_serial.Close();
    m_bOpen = false;
    m_bReading = false;
}

std::size_t CComPort::Write(const std::uint8_t* data, std::size_t count)
{
    std::lock_guard lock(m_writeLock);
    if (!m_serial.IsOpen() || count == 0)
        return 0;
    return m_serial.Write(data, count, 1000, m_wake[0]);
}

void CComPort::Deliver(const std::uint8_t* data, std::size_t count)
{
    if (count > 0 && m_callback)
        m_callback(data, count);
}

void CComPort::ReaderLoop()
{
    std::uint8_t buffer[CSerialPort::kReadSize];
    pollfd fds[2] = {{m_serial.Fd(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents != 0)
            break;   // Close()
        const short ev = fds[0].revents;
        if (ev & POLLIN) {
            const long n = m_serial.Read(buffer, sizeof buffer);
            if (n > 0) {
                Deliver(buffer, static_cast<std::size_t>(n));
                continue;
            }
            if (n < 0 && errno == EAGAIN)
                continue;
            break;   // 0: hung up; -1: the device is gone (EIO) or broken
        }
        if (ev & (POLLHUP | POLLERR | POLLNVAL))
            break;
    }
    m_bReading = false;
}

#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Raised by CSerialPort::Open when the device cannot be opened; carries the
// system error number (errno) of the failed call.
class CSerialException : public std::runtime_error {
public:
    CSerialException(std::string path, int error);
    int Error() const { return m_nError; }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    int m_nError;
};

// One open serial device (a tty), set to the meter's line: 9600 baud, 8 data
// bits, no parity, one stop bit, no flow control, raw. Reads follow the
// meter's chunk discipline: a read returns once 20 bytes are there, or earlier
// after a 100 ms pause between two bytes (VMIN 20, VTIME 1). No buffers, no
// thread of its own, no lock.
class CSerialPort {
public:
    static constexpr int kReadSize = 20;        // VMIN
    static constexpr int kInterByteTenths = 1;  // VTIME, in 0.1 s

    CSerialPort() = default;
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens path for exclusive use and sets the line. Closes a device that is
    // open first. Raises CSerialException on failure; the port stays closed.
    // A device that another opener holds (also as root) fails with EBUSY.
    void Open(const std::string& path, int baud = 9600);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_strPath; }

    // A blocking read with the chunk discipline above: waits for the first
    // byte, so call it once the device is readable. Result: bytes read, 0 when
    // the other end has hung up, -1 on error (errno set).
    long Read(std::uint8_t* buffer, std::size_t count);

    // Writes count bytes, waiting at most timeoutMs for room in the output
    // queue; gives up at once when cancelFd (if not -1) becomes readable.
    // Result: bytes written (0 on failure).
    std::size_t Write(const std::uint8_t* data, std::size_t count, int timeoutMs = 1000, int cancelFd = -1);

    // Throws away what is queued in both directions.
    void Purge();

private:
    int m_fd = -1;
    std::string m_strPath;
};

#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "serial/SerialPort.h"

// The port object: opens the meter's device, runs one reader thread that hands
// every chunk of received bytes (1 to 20 bytes, in arrival order) to the
// receive callback, and writes bytes for any thread.
//
// The reader waits in poll() on the device and on a wake-up pipe; once the
// device is readable it makes one read with the 20-byte / 100 ms discipline of
// CSerialPort, which returns within about 100 ms of the last byte. Close()
// wakes the reader through the pipe and joins it: no fixed sleeps, and nothing
// is freed while the thread still uses it. A device that goes away (hang-up,
// read error) ends the reader; the port then stays open but silent until
// Close(), and the owner's link watchdog notices the silence.
class CComPort {
public:
    // Called on the reader thread, one call per chunk, never two at once. The
    // bytes are valid only during the call. Must not call Close() or Open().
    using ReceiveCallback = std::function<void(const std::uint8_t* data, std::size_t count)>;

    CComPort() = default;
    virtual ~CComPort();
    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // Closes what is open, opens path at 9600 8N1 and starts the reader.
    // False when the device cannot be opened (LastError() tells why) or the
    // reader cannot be started. An empty callback drops what is read.
    bool Open(const std::string& path, ReceiveCallback callback);

    // Stops the reader (promptly, also when the device has vanished) and
    // closes the device. Closing a closed port does nothing.
    void Close();

    // Writes the bytes; serialised, safe from any thread. Result: bytes
    // written, 0 when the port is closed or the write failed.
    std::size_t Write(const std::uint8_t* data, std::size_t count);

    bool IsOpen() const { return m_bOpen.load(); }
    // False once the reader has ended, by Close() or because the device went away.
    bool IsReading() const { return m_bReading.load(); }
    // errno of the last failed Open (0 after a successful one).
    int LastError() const { return m_nLastError; }
    const std::string& Path() const { return m_strPath; }

private:
    void ReaderLoop();
    void Deliver(const std::uint8_t* data, std::size_t count);

    CSerialPort m_serial;
    ReceiveCallback m_callback;
    std::thread m_reader;
    int m_wake[2] = {-1, -1};   // pipe: Close() writes, the reader polls
    std::mutex m_writeLock;     // serialises Write against Write and Close
    std::atomic<bool> m_bOpen {false};
    std::atomic<bool> m_bReading {false};
    int m_nLastError = 0;
    std::string m_strPath;
};

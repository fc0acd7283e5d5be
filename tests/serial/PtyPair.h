#pragma once
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// The far end of a serial line in tests: a pseudo-terminal whose slave path
// the code under test opens as its serial device.
class CPtyPair {
public:
    CPtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_path = ::ptsname(m_master);
        // Keep a slave open so that the master never reads as hung up, and
        // make the line raw before the code under test opens it.
        m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio {};
        ::tcgetattr(m_slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ~CPtyPair() { HangUp(); }

    bool Ok() const { return m_master >= 0 && m_slave >= 0; }
    const std::string& Path() const { return m_path; }
    int Master() const { return m_master; }

    void Send(const std::vector<std::uint8_t>& bytes) const
    {
        [[maybe_unused]] auto n = ::write(m_master, bytes.data(), bytes.size());
    }

    // Reads what the code under test wrote, waiting up to timeoutMs.
    std::vector<std::uint8_t> Drain(int timeoutMs = 200) const;

    // The far end goes away: the device reads as hung up.
    void HangUp()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
        m_slave = m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

#include <poll.h>

inline std::vector<std::uint8_t> CPtyPair::Drain(int timeoutMs) const
{
    std::vector<std::uint8_t> out;
    pollfd pfd {m_master, POLLIN, 0};
    while (::poll(&pfd, 1, timeoutMs) > 0 && (pfd.revents & POLLIN)) {
        std::uint8_t buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        out.insert(out.end(), buf, buf + n);
        timeoutMs = 20;
    }
    return out;
}

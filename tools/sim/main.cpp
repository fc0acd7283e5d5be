// sonivel-meter-sim: the sound level meter on a pseudo-terminal.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "MeterModel.h"
#include "SimOptions.h"

namespace {

using Clock = std::chrono::steady_clock;
volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

std::tm LocalNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm {};
    localtime_r(&t, &tm);
    return tm;
}

// Where the symbolic link at path points ("" when it is none).
std::string LinkTarget(const std::string& path)
{
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

// Opens the pseudo-terminal; the slave side is kept open here too, so the
// master never sees a hang-up while the PC side closes and reopens the port.
bool OpenPty(int& master, int& slave, std::string& name)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return false;
    const char* path = ::ptsname(master);
    if (!path)
        return false;
    name = path;
    slave = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        return false;
    termios tio {};
    if (::tcgetattr(slave, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(slave, TCSANOW, &tio) != 0)
        return false;
    return ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) == 0;
}

class CSimulator {
public:
    CSimulator(const SSimOptions& o, int master)
        : m_opt(o), m_master(master), m_model(o.seed, o.level), m_nIgnore(o.ignoreKeys)
    {
        std::tm start = LocalNow();
        start.tm_mday = start.tm_mday > 1 ? start.tm_mday - 1 : start.tm_mday;   // yesterday's recordings
        start.tm_hour = 9;
        start.tm_min = 30;
        start.tm_sec = 0;
        m_model.SetGroups(o.groups, start);
    }

    int Run()
    {
        const auto t0 = Clock::now();
        auto nextFrame = t0;
        auto nextGarbage = t0 + std::chrono::milliseconds(m_opt.periodMs / 2);
        const auto framePeriod = m_opt.lineRate ? std::chrono::microseconds(20 * 1000000 / 960)
                                                : std::chrono::microseconds(m_opt.periodMs * 1000);
        while (!g_stop) {
            const auto now = Clock::now();
            const double elapsed = Seconds(now - t0);
            if (m_opt.hangupAfter >= 0 && elapsed >= m_opt.hangupAfter)
                return 0;
            const bool silent = m_bSilent || (m_opt.silentAfter >= 0 && elapsed >= m_opt.silentAfter);
            if (silent) {
                m_answer.clear();
            } else if (!m_answer.empty()) {
                SendAnswer(now);
            } else if (now >= nextFrame) {
                m_model.Step();
                if (m_model.m_bHold) {
                    const std::uint8_t marker = 0xFF;
                    Send(&marker, 1);
                } else {
                    const auto frame = m_model.LiveFrame(LocalNow());
                    Send(frame.data(), frame.size());
                }
                nextFrame += framePeriod;
                if (nextFrame < now)
                    nextFrame = now + framePeriod;
            } else if (m_opt.garbage && now >= nextGarbage) {
                const auto junk = m_model.Garbage(1 + static_cast<std::size_t>(elapsed * 7) % 8);
                Send(junk.data(), junk.size());
                nextGarbage = nextFrame + framePeriod / 2;
            }
            if (!Receive(Wait(now, silent, nextFrame, nextGarbage)))
                return 1;
        }
        return 0;
    }

private:
    int Wait(Clock::time_point now, bool silent, Clock::time_point nextFrame, Clock::time_point nextGarbage) const
    {
        if (silent)
            return 200;
        if (!m_answer.empty())
            return 10;
        auto next = nextFrame;
        if (m_opt.garbage && nextGarbage > now && nextGarbage < next)
            next = nextGarbage;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
        return static_cast<int>(std::clamp<long long>(ms, 0, 200));
    }

    // Waits up to timeoutMs for bytes from the PC and acts on them.
    bool Receive(int timeoutMs)
    {
        pollfd pfd {m_master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (ready < 0)
            return errno == EINTR;
        if (ready == 0 || !(pfd.revents & POLLIN))
            return true;
        std::uint8_t buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        for (ssize_t i = 0; i < n; ++i)
            OnByte(buf[i]);
        return true;
    }

    void OnByte(std::uint8_t b)
    {
        if (m_opt.verbose)
            std::fprintf(stderr, "rx %02x\n", b);
        const bool request = m_nPrev == 0x5A && b == 0xAC;
        m_nPrev = b;
        if (request) {
            if (m_answer.empty() && !m_opt.noAnswer && Seconds(Clock::now() - m_answerEnd) > 0.5)
                StartAnswer();
            return;
        }
        if (b == 0x5A)
            return;
        if (m_nIgnore > 0 && (b == 0x77 || b == 0x11 || b == 0x88 || b == 0x99 || b == 0x55 || b == 0x33)) {
            --m_nIgnore;
            if (m_opt.verbose)
                std::fprintf(stderr, "key %02x lost\n", b);
            return;
        }
        if (m_model.PressKey(b) && m_opt.verbose)
            std::fprintf(stderr, "key %02x\n", b);
    }

    void StartAnswer()
    {
        const auto bytes = m_model.LoggerAnswer();
        m_answer.assign(bytes.begin(), bytes.end());
        m_nAnswerSize = bytes.size();
        m_nAnswerSent = 0;
        m_answerStart = Clock::now();
        if (m_opt.verbose)
            std::fprintf(stderr, "data-logger answer: %zu bytes\n", bytes.size());
    }

    void SendAnswer(Clock::time_point now)
    {
        std::size_t due = m_answer.size();
        if (!m_opt.fastDownload) {
            const auto target = static_cast<std::size_t>(Seconds(now - m_answerStart) * 960.0) + 1;
            due = target > m_nAnswerSent ? std::min(target - m_nAnswerSent, m_answer.size()) : 0;
        }
        if (m_opt.silentInDownload)
            due = std::min(due, m_nAnswerSize / 2 > m_nAnswerSent ? m_nAnswerSize / 2 - m_nAnswerSent : 0);
        while (due > 0) {
            std::uint8_t buf[64];
            const std::size_t n = std::min(due, sizeof buf);
            std::copy(m_answer.begin(), m_answer.begin() + static_cast<long>(n), buf);
            const ssize_t w = ::write(m_master, buf, n);
            if (w <= 0)
                break;   // the line is full: the rest goes out later
            m_answer.erase(m_answer.begin(), m_answer.begin() + w);
            m_nAnswerSent += static_cast<std::size_t>(w);
            due -= static_cast<std::size_t>(w);
        }
        if (m_opt.silentInDownload && m_nAnswerSent >= m_nAnswerSize / 2) {
            m_bSilent = true;
            if (m_opt.verbose)
                std::fprintf(stderr, "silent in the middle of the download\n");
        }
        if (m_answer.empty())
            m_answerEnd = now;
    }

    void Send(const std::uint8_t* data, std::size_t n)
    {
        // A meter keeps streaming whether anyone listens: a full line drops the burst.
        [[maybe_unused]] const ssize_t w = ::write(m_master, data, n);
    }

    const SSimOptions& m_opt;
    int m_master;
    CMeterModel m_model;
    int m_nIgnore;
    std::uint8_t m_nPrev = 0;
    bool m_bSilent = false;
    std::deque<std::uint8_t> m_answer;
    std::size_t m_nAnswerSize = 0, m_nAnswerSent = 0;
    Clock::time_point m_answerStart {}, m_answerEnd {};
};

} // namespace

int main(int argc, char** argv)
{
    SSimOptions options;
    std::string error;
    if (!ParseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "sonivel-meter-sim: %s\n", error.c_str());
        return 2;
    }
    if (options.version) {
        std::printf("sonivel-meter-sim %s\n", SONIVEL_VERSION);
        return 0;
    }
    if (options.help) {
        std::fputs(kSimUsage, stdout);
        return 0;
    }
    int master = -1, slave = -1;
    std::string name;
    if (!OpenPty(master, slave, name)) {
        std::fprintf(stderr, "sonivel-meter-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    if (!options.link.empty()) {
        struct stat st {};
        if (::lstat(options.link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(options.link.c_str());
        if (::symlink(name.c_str(), options.link.c_str()) != 0) {
            std::fprintf(stderr, "sonivel-meter-sim: cannot make the link %s: %s\n", options.link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::printf("%s\n", name.c_str());
    std::fflush(stdout);

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    const int rc = CSimulator(options, master).Run();
    ::close(master);
    ::close(slave);
    if (!options.link.empty() && LinkTarget(options.link) == name)   // not one taken over since
        ::unlink(options.link.c_str());
    return rc;
}

#pragma once
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// A program run as a child process: sonivel-meter-sim (whose first output
// line is its device) or sonivel-log.
struct SProcessResult {
    int status = -1;   // exit status, or -1 when killed
    std::string out, err;
    double seconds = 0;
};

class CChild {
public:
    // Starts argv[0] with standard output and error captured in pipes.
    explicit CChild(const std::vector<std::string>& argv)
    {
        int out[2], err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0)
            return;
        std::vector<char*> args;   // built before fork: the child only calls exec
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        m_start = std::chrono::steady_clock::now();
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            ::close(out[0]);
            ::close(err[0]);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        m_out = ::fdopen(out[0], "r");
        m_errFd = err[0];
    }
    ~CChild()
    {
        if (m_pid > 0 && !m_bReaped) {
            ::kill(m_pid, SIGTERM);
            Wait();
        }
        if (m_out)
            std::fclose(m_out);
        if (m_errFd >= 0)
            ::close(m_errFd);
    }

    // The next line of standard output (without its line end).
    std::string ReadLine()
    {
        char buf[4096];
        if (!m_out || !std::fgets(buf, sizeof buf, m_out))
            return {};
        std::string line = buf;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        return line;
    }

    void Signal(int sig) { ::kill(m_pid, sig); }

    // Closes the reading end of standard output: the program's next writes
    // find no reader (as `program | head` does once head has ended).
    void CloseOutput()
    {
        if (m_out)
            std::fclose(m_out);
        m_out = nullptr;
    }

    // Waits for the end; collects the rest of both outputs.
    SProcessResult Wait()
    {
        SProcessResult r;
        char buf[4096];
        std::size_t n;
        while (m_out && (n = std::fread(buf, 1, sizeof buf, m_out)) > 0)
            r.out.append(buf, n);
        ssize_t k;
        while (m_errFd >= 0 && (k = ::read(m_errFd, buf, sizeof buf)) > 0)
            r.err.append(buf, static_cast<std::size_t>(k));
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_bReaped = true;
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        return r;
    }

private:
    pid_t m_pid = -1;
    bool m_bReaped = false;
    std::FILE* m_out = nullptr;
    int m_errFd = -1;
    std::chrono::steady_clock::time_point m_start;
};

// The simulator, started with options; Device() is the path it prints.
class CSim {
public:
    explicit CSim(std::vector<std::string> options)
    {
        options.insert(options.begin(), SONIVEL_SIM_PATH);
        m_child = std::make_unique<CChild>(options);
        m_device = m_child->ReadLine();
    }
    const std::string& Device() const { return m_device; }
    // Stops the simulator; its standard error (with --verbose, the bytes it got).
    std::string Stop()
    {
        m_child->Signal(SIGTERM);
        return m_child->Wait().err;
    }
    // Waits until the simulator ends by itself (--hangup-after).
    std::string WaitForEnd() { return m_child->Wait().err; }

private:
    std::unique_ptr<CChild> m_child;
    std::string m_device;
};

inline SProcessResult RunLog(std::vector<std::string> args)
{
    args.insert(args.begin(), SONIVEL_LOG_PATH);
    CChild child(args);
    return child.Wait();
}

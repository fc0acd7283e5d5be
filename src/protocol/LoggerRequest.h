#pragma once
#include <cstddef>

#include "protocol/KeySender.h"

// The data-logger request 0x5A 0xAC, repeated until the meter's answer header
// has arrived (m_bLogAck) or the download has ended (m_bLogDownload cleared by
// the time-out, the link watchdog or Cancel). The owner ticks it from a short
// timer (kTickMs); each tick writes one request, so the thread that drives it
// stays free for its other timers and the user's input.
class CLoggerRequest {
public:
    static constexpr int kTickMs = 20;

    explicit CLoggerRequest(MeterWriteFn write) : m_write(std::move(write)) {}

    // Starts requesting; the first request is written now.
    void Start();
    // Writes the next request while still waiting; result: whether to go on
    // ticking.
    bool Tick(bool logDownload, bool logAck);
    void Stop() { m_bActive = false; }

    bool Active() const { return m_bActive; }
    int Requests() const { return m_nRequests; }

private:
    void Send();

    MeterWriteFn m_write;
    bool m_bActive = false;
    int m_nRequests = 0;
};

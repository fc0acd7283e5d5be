#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "protocol/LiveReading.h"
#include "protocol/MeterCommands.h"

// Writes bytes to the meter; result: bytes written.
using MeterWriteFn = std::function<std::size_t(const std::uint8_t* data, std::size_t count)>;

// Remote key presses. The meter does not acknowledge a key: its byte is sent
// at once and then again every 600 ms (500 ms for Level) until the live
// reading shows that the meter obeyed (CKeyWatch). Any number of presses may
// repeat at the same time. The owner drives it with a timer of its own
// (kTickMs is a good period) and passes a steady clock in milliseconds, so
// the window and the headless logger share this code; nothing here blocks.
class CKeySender {
public:
    static constexpr int kTickMs = 50;

    explicit CKeySender(MeterWriteFn write) : m_write(std::move(write)) {}

    // A key press. Ignored (false) while the link is dead or for a key code
    // outside 0..5; otherwise the byte is written now and the repetition starts.
    bool Press(int keyCode, const SLiveReading& live, bool linkAlive, std::int64_t nowMs);

    // Ends the repetitions the meter has obeyed and writes the byte of every
    // other one whose pause has passed.
    void Tick(const SLiveReading& live, std::int64_t nowMs);

    std::size_t Active() const { return m_presses.size(); }
    void CancelAll() { m_presses.clear(); }

private:
    struct SPress {
        CKeyWatch watch;
        std::int64_t dueMs;
    };
    void Send(int keyCode);

    MeterWriteFn m_write;
    std::vector<SPress> m_presses;
};

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
// at once and then again until the live reading shows that the meter obeyed
// (CKeyWatch). A byte is sent again only once the meter has had its chance to
// answer: the key's pause (600 ms, 500 ms for Level) has passed since the
// last send AND the reading has had kAnswerUpdates updates since then (a
// frame is decoded only when the next one arrives, and a frame already on its
// way when the byte went out cannot show it). So one press toggles the meter
// once whatever the frame period, and a byte the meter lost is sent again.
// Any number of presses may repeat at the same time. The owner drives it with
// a timer of its own (kTickMs is a good period) and passes a steady clock in
// milliseconds, so the window and the headless logger share this code;
// nothing here blocks.
class CKeySender {
public:
    static constexpr int kTickMs = 50;
    static constexpr unsigned kAnswerUpdates = 3;

    explicit CKeySender(MeterWriteFn write) : m_write(std::move(write)) {}

    // A key press. Ignored (false) while the link is dead or for a key code
    // outside 0..5; otherwise the byte is written now and the repetition starts.
    bool Press(int keyCode, const SLiveReading& live, bool linkAlive, std::int64_t nowMs);

    // Ends the repetitions the meter has obeyed and writes the byte of every
    // other one whose answer time has passed.
    void Tick(const SLiveReading& live, std::int64_t nowMs);

    std::size_t Active() const { return m_presses.size(); }
    void CancelAll() { m_presses.clear(); }

private:
    struct SPress {
        CKeyWatch watch;
        std::int64_t sentMs;     // the last send
        unsigned sentUpdates;    // the reading's update count at the last send
    };
    void Send(SPress& press, const SLiveReading& live, std::int64_t nowMs);

    MeterWriteFn m_write;
    std::vector<SPress> m_presses;
};

#pragma once
#include "support/LocalMoment.h"
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "common/Clock.h"
#include "protocol/MeterText.h"
#include "protocol/Receiver.h"

namespace prototest {

// Bytes from hexadecimal text; blanks and '|' are ignored ("a5 0d | 06 35").
inline std::vector<std::uint8_t> Bytes(std::string_view hex)
{
    std::string digits;
    for (char c : hex)
        if (c != ' ' && c != '|')
            digits += c;
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

// The bytes as lower-case hexadecimal text, two characters each.
inline std::string HexText(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    AppendHexText(bytes.data(), bytes.size(), text);
    return text;
}

// A 20-byte live frame: the frame start, the level bytes, and the given
// bytes from byte 4 on (padded with 0x00); byte 7 is the weighting.
inline std::vector<std::uint8_t> Frame(std::string_view level, std::string_view rest = "")
{
    std::vector<std::uint8_t> f = Bytes("a50d" + std::string(level) + std::string(rest));
    f.resize(20, 0x00);
    return f;
}

// The local time of a calendar date (noon), as the PC clock would give it.
inline std::time_t LocalNoon(int year, int month, int day)
{
    return testsupport::LocalMoment(year, month, day, 12);
}

// Records what the receive path asks of its owner.
class CFakeHost : public IReceiverHost {
public:
    struct SProgress {
        int range, step, pos;
        bool operator==(const SProgress&) const = default;
    };
    void OnHoldStop() override { ++holdStops; }
    void OnDownloadEnded() override { ++downloadsEnded; }
    void OnProgress(int range, int step, int pos) override { progress.push_back({range, step, pos}); }
    void OnPanelRepaint() override { ++repaints; }

    int holdStops = 0;
    int downloadsEnded = 0;
    int repaints = 0;
    std::vector<SProgress> progress;
};

// A receiver with a fake owner and a fixed PC clock (7 December 2026).
class ReceiverFixture {
public:
    ReceiverFixture() { sonivel::SetClock([] { return LocalNoon(2026, 12, 7); }); }
    ~ReceiverFixture() { sonivel::SetClock({}); }

    void Feed(const std::vector<std::uint8_t>& bytes) { rx.OnReceiveData(bytes.data(), bytes.size()); }
    void Feed(std::string_view hex) { Feed(Bytes(hex)); }

    CFakeHost host;
    CRecordStore store;
    CReceiver rx{host, store};
};

} // namespace prototest

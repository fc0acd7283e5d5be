#pragma once
#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

// A recording held in the simulated meter's data logger.
struct SSimGroup {
    bool weightA = true;
    std::tm start {};            // local calendar time of the first sample
    int intervalSeconds = 1;     // 1..99
    std::vector<int> tenths;     // levels in tenths of a dB, 0..9999
};

// The simulated sound level meter: its display state, how it answers the six
// key bytes and the data-logger request, and the bytes it puts on the line.
class CMeterModel {
public:
    explicit CMeterModel(unsigned seed = 1, double centreDb = 60.0);

    // The key bytes the meter obeys: 0x77 FAST/SLOW, 0x11 MAX/MIN/off,
    // 0x88 range 1-2-3-4, 0x99 A/C, 0x55 REC, 0x33 HOLD on/off.
    // Returns false for a byte that is no key.
    bool PressKey(std::uint8_t key);

    // Moves the level one step (a random walk around the centre level).
    void Step();

    // One live frame: 0xA5 0x0D, the level as four BCD digits in tenths of a
    // dB, 0xA5 + range code, 0xA5 + weighting byte (0x1B A, 0x1C C) at byte 7,
    // 0xA5 + FAST/SLOW, 0xA5 + MAX/MIN code. Then, alternately, the clock
    // (0xA5 0x06 hh mm ss) or REC and OVER/UNDER codes; the rest 0x00.
    std::vector<std::uint8_t> LiveFrame(const std::tm& clock);

    // The answer to the data-logger request: 0xBB, the 16-bit length N (high
    // byte first) with N - 98 = the bytes that follow, the groups (8-byte
    // header, 0xAC, 2-byte BCD samples), the end marker 0xDD and a closing
    // 0x00. An empty logger answers BB 00 64 DD 00.
    std::vector<std::uint8_t> LoggerAnswer() const;

    // Fills the logger with groups of the given sizes, starting at start.
    void SetGroups(const std::vector<int>& sizes, const std::tm& start);
    const std::vector<SSimGroup>& Groups() const { return m_groups; }

    // Bytes that never read as a HOLD marker or a frame start (no 0xF nibble).
    std::vector<std::uint8_t> Garbage(std::size_t count);

    // Display state.
    double m_dLevel;          // the measured level, dB
    double m_dShown;          // what the display shows (MAX/MIN hold the extreme)
    int m_nRange = 4;         // 1 30-80, 2 50-100, 3 80-130, 4 30-130 (AUTO)
    bool m_bWeightA = true;
    bool m_bFast = true;
    int m_nMaxMin = 0;        // 0 off, 1 MAX, 2 MIN
    bool m_bRec = false;
    bool m_bHold = false;

    static std::uint8_t HourByte(int hour24);
    static std::uint8_t Bcd(int value);   // 0..99

private:
    double m_dCentre;
    double m_dExtreme = 0.0;
    std::mt19937 m_rng;
    unsigned m_nFrame = 0;
    std::vector<SSimGroup> m_groups;
};

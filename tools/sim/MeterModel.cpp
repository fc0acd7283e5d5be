#include "MeterModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRangeLow[5] = {30, 30, 50, 80, 30};
constexpr double kRangeHigh[5] = {130, 80, 100, 130, 130};
constexpr std::uint8_t kRangeCode[5] = {0x40, 0x30, 0x4B, 0x4C, 0x40};

void PushTenths(std::vector<std::uint8_t>& out, int tenths)
{
    tenths = std::clamp(tenths, 0, 9999);
    out.push_back(CMeterModel::Bcd(tenths / 100));
    out.push_back(CMeterModel::Bcd(tenths % 100));
}

} // namespace

CMeterModel::CMeterModel(unsigned seed, double centreDb)
    : m_dLevel(centreDb), m_dShown(centreDb), m_dCentre(centreDb), m_rng(seed)
{
}

std::uint8_t CMeterModel::Bcd(int value)
{
    value = std::clamp(value, 0, 99);
    return static_cast<std::uint8_t>((value / 10) << 4 | value % 10);
}

// The meter's clock counts 1..12 with a PM flag: bit 4 carries the tens of
// the hour, bit 5 the afternoon, the low nibble the units.
std::uint8_t CMeterModel::HourByte(int hour24)
{
    const int h12 = hour24 % 12 == 0 ? 12 : hour24 % 12;
    return static_cast<std::uint8_t>((hour24 >= 12 ? 0x20 : 0) | (h12 >= 10 ? 0x10 : 0) | h12 % 10);
}

bool CMeterModel::PressKey(std::uint8_t key)
{
    switch (key) {
    case 0x77: m_bFast = !m_bFast; break;
    case 0x11:
        m_nMaxMin = (m_nMaxMin + 1) % 3;
        m_dExtreme = m_dLevel;
        break;
    case 0x88: m_nRange = m_nRange % 4 + 1; break;
    case 0x99: m_bWeightA = !m_bWeightA; break;
    case 0x55: m_bRec = !m_bRec; break;
    case 0x33: m_bHold = !m_bHold; break;
    default: return false;
    }
    return true;
}

void CMeterModel::Step()
{
    std::normal_distribution<double> noise(0.0, m_bFast ? 0.8 : 0.3);
    m_dLevel += noise(m_rng) + 0.1 * (m_dCentre - m_dLevel);
    m_dLevel = std::clamp(m_dLevel, 25.0, 135.0);
    if (m_nMaxMin == 1)
        m_dExtreme = std::max(m_dExtreme, m_dLevel);
    else if (m_nMaxMin == 2)
        m_dExtreme = std::min(m_dExtreme, m_dLevel);
    m_dShown = m_nMaxMin == 0 ? m_dLevel : m_dExtreme;
}

std::vector<std::uint8_t> CMeterModel::LiveFrame(const std::tm& clock)
{
    std::vector<std::uint8_t> f {0xA5, 0x0D};
    f.reserve(20);
    PushTenths(f, static_cast<int>(std::lround(m_dShown * 10)));
    f.insert(f.end(), {0xA5, kRangeCode[m_nRange], 0xA5, static_cast<std::uint8_t>(m_bWeightA ? 0x1B : 0x1C)});
    f.insert(f.end(), {0xA5, static_cast<std::uint8_t>(m_bFast ? 0x02 : 0x03)});
    f.insert(f.end(), {0xA5, static_cast<std::uint8_t>(m_nMaxMin == 1 ? 0x04 : m_nMaxMin == 2 ? 0x05 : 0x0E)});
    if (m_nFrame++ % 2 == 0) {
        f.insert(f.end(), {0xA5, 0x06, HourByte(clock.tm_hour), Bcd(clock.tm_min), Bcd(clock.tm_sec)});
    } else {
        f.insert(f.end(), {0xA5, static_cast<std::uint8_t>(m_bRec ? 0x0A : 0x1A)});
        const bool over = m_dShown > kRangeHigh[m_nRange];
        const bool under = m_dShown < kRangeLow[m_nRange];
        f.insert(f.end(), {0xA5, static_cast<std::uint8_t>(over ? 0x07 : under ? 0x08 : 0x11)});
    }
    f.resize(20, 0x00);
    return f;
}

void CMeterModel::SetGroups(const std::vector<int>& sizes, const std::tm& start)
{
    static const int kIntervals[] = {1, 2, 5, 10};
    m_groups.clear();
    std::tm t = start;
    for (std::size_t g = 0; g < sizes.size(); ++g) {
        SSimGroup group;
        group.weightA = g % 2 == 0;
        group.start = t;
        group.intervalSeconds = kIntervals[g % 4];
        double level = m_dCentre;
        std::normal_distribution<double> noise(0.0, 1.0);
        for (int i = 0; i < sizes[g]; ++i) {
            level = std::clamp(level + noise(m_rng), 30.0, 130.0);
            group.tenths.push_back(static_cast<int>(std::lround(level * 10)));
        }
        m_groups.push_back(group);
        t.tm_hour = (t.tm_hour + 1) % 24;   // the next recording an hour later
    }
}

std::vector<std::uint8_t> CMeterModel::LoggerAnswer() const
{
    std::vector<std::uint8_t> data;
    for (const SSimGroup& g : m_groups) {
        data.push_back(g.weightA ? 0xAA : 0xCC);
        data.push_back(Bcd(g.start.tm_year % 100));
        data.push_back(Bcd(g.start.tm_mon + 1));
        data.push_back(Bcd(g.start.tm_mday));
        data.push_back(HourByte(g.start.tm_hour));
        data.push_back(Bcd(g.start.tm_min));
        data.push_back(Bcd(g.start.tm_sec));
        data.push_back(Bcd(g.intervalSeconds));
        data.push_back(0xAC);
        for (int tenths : g.tenths)
            PushTenths(data, tenths);
    }
    data.push_back(0xDD);
    data.push_back(0x00);
    const std::size_t n = std::min<std::size_t>(data.size() + 98, 0xFFFF);
    std::vector<std::uint8_t> out;
    out.reserve(data.size() + 3);
    out.push_back(0xBB);
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::uint8_t> CMeterModel::Garbage(std::size_t count)
{
    std::uniform_int_distribution<int> nibble(0, 14);
    std::vector<std::uint8_t> out(count);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(nibble(m_rng) << 4 | nibble(m_rng));
    return out;
}

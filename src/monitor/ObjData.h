#pragma once
#include <cstdint>
#include <string>

// One measurement record: a level with its time text, unit, data-logger group
// and sampling interval. Immutable once made.
class CObjData {
public:
    CObjData(double value, std::string time, std::string unit, int group, double sampleRate, int milli = 0)
        : m_dValue(value), m_strTime(std::move(time)), m_strUnit(std::move(unit)),
          m_nGroup(group), m_nMilli(static_cast<std::int16_t>(milli)), m_dSampleRate(sampleRate) {}
    virtual ~CObjData() = default;

    const double m_dValue;        // level in dB
    const std::string m_strTime;  // "dd-mm-yyyy,hh:mm:ss" (one comma, between date and time)
    const std::string m_strUnit;  // "dBA" or "dBC"
    const int m_nGroup;           // data-logger group; 0 outside the data logger
    // Milliseconds past the second of m_strTime (0-999), which only the CSV
    // export writes: the PC clock's for a record a monitoring run takes, 0 for
    // records read from a file and for the data logger's (whole-second
    // intervals). The data text file and the other outputs keep whole seconds.
    const std::int16_t m_nMilli;
    const double m_dSampleRate;   // seconds between consecutive records
};

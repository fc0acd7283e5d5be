#pragma once
#include <cstdint>
#include <string>

// One measurement record as a value: a level with its time text, unit,
// data-logger group and sampling interval. Stores keep records packed (see
// RecordList.h) and hand out copies.
class CObjData {
public:
    CObjData(double value, std::string time, std::string unit, int group, double sampleRate, int milli = 0)
        : m_dValue(value), m_strTime(std::move(time)), m_strUnit(std::move(unit)),
          m_nGroup(group), m_nMilli(static_cast<std::int16_t>(milli)), m_dSampleRate(sampleRate) {}

    double m_dValue;        // level in dB
    std::string m_strTime;  // "dd-mm-yyyy,hh:mm:ss" (one comma, between date and time)
    std::string m_strUnit;  // "dBA" or "dBC"
    int m_nGroup;           // data-logger group; 0 outside the data logger
    // Milliseconds past the second of m_strTime (0-999), which only the CSV
    // export writes: the PC clock's for a record a monitoring run takes, 0 for
    // records read from a file and for the data logger's (whole-second
    // intervals). The data text file and the other outputs keep whole seconds.
    std::int16_t m_nMilli;
    double m_dSampleRate;   // seconds between consecutive records
};

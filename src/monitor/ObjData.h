#pragma once
#include <string>

// One measurement record: a level with its time text, unit, data-logger group
// and sampling interval. Immutable once made.
class CObjData {
public:
    CObjData(double value, std::string time, std::string unit, int group, double sampleRate)
        : m_dValue(value), m_strTime(std::move(time)), m_strUnit(std::move(unit)),
          m_nGroup(group), m_dSampleRate(sampleRate) {}
    virtual ~CObjData() = default;

    const double m_dValue;        // level in dB
    const std::string m_strTime;  // "dd-mm-yyyy,hh:mm:ss" (one comma, between date and time)
    const std::string m_strUnit;  // "dBA" or "dBC"
    const int m_nGroup;           // data-logger group; 0 outside the data logger
    const double m_dSampleRate;   // seconds between consecutive records
};

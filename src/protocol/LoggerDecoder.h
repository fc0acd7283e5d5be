#pragma once
#include <string>
#include <string_view>

#include "records/RecordList.h"
#include "protocol/LocalTimeStep.h"

// Decodes the data logger's answer (hexadecimal text after the answer header,
// up to and including the first "dd") into records of the logger store.
class CLoggerDecoder {
public:
    // Appends the records of every group to store. Returns the number of
    // records made.
    std::size_t DecodeLoggerText(std::string_view text, CRecordStore& store);

    int m_nLogGroup = 0;   // group headers decoded so far in this download

    // The current group header; kept between downloads.
    int m_nDay = 1, m_nMonth = 1, m_nYear = 2000;
    int m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
    std::string m_strUnit = "dBA";
    double m_dSampleRate = 1.0;

    // Text in front of the first group header is dropped (it has no header of
    // its own). A header whose date and time name no real local time keeps
    // that time for all its samples instead of advancing it.

private:
    class CPass;
    SCalendarTime Fields() const;
    void SetFields(const SCalendarTime& t);
};

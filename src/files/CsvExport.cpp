#include "files/CsvExport.h"

#include <algorithm>

#include "common/IsoTime.h"
#include "common/Text.h"
#include "files/RecordLines.h"
#include "files/TextLines.h"
#include "graph/TimeAxis.h"

namespace sonivel {
namespace {

void AppendField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string_view Weighting(std::string_view unit)
{
    if (unit == "dBA")
        return "A";
    if (unit == "dBC")
        return "C";
    return unit;
}

// The time fields of rows in turn: the local time of a time text is worked
// out again only when the text or the milliseconds change (records of a file
// come several to the second, all with 0 ms).
class CCsvTimes {
public:
    // The ISO text of time and milli, empty when time names no local time.
    const std::string& Iso(std::string_view time, int milli)
    {
        if (m_bKnown && time == m_time && milli == m_milli)
            return m_iso;
        m_bKnown = false;
        const std::optional<std::time_t> t = ParseDateTime(time);
        m_iso = t ? IsoLocalTimeText(*t, milli) : std::string();
        m_time.assign(time);
        m_milli = milli;
        m_bKnown = true;
        return m_iso;
    }

private:
    std::string m_time, m_iso;
    int m_milli = 0;
    bool m_bKnown = false;
};

void AppendRow(std::string& out, std::string_view time, double level, std::string_view unit, int milli,
               CCsvTimes& times)
{
    const std::string& iso = times.Iso(time, milli);
    if (!iso.empty())
        out += iso;
    else
        AppendField(out, time);
    out += ',';
    AppendFixed2(out, level);
    out += ',';
    AppendField(out, Weighting(unit));
    out += ',';
    // "yyyy-mm-ddThh:mm:ss.mmm": the ISO time up to its UTC offset.
    out += std::string_view(iso).substr(0, std::min<std::size_t>(iso.size(), 23));
    out += "\r\n";
}

} // namespace

std::string_view CsvHeader()
{
    return "time,level_db,weighting,local_time\r\n";
}

void AppendCsvRow(std::string& out, const CObjData& record)
{
    CCsvTimes times;
    AppendRow(out, record.m_strTime, record.m_dValue, record.m_strUnit, record.m_nMilli, times);
}

SFileResult WriteCsv(const std::string& path, const CRecordList& records, EPathSource pathSource)
{
    return WriteCsv(path, records, NoProgress(), pathSource);
}

SFileResult WriteCsv(const std::string& path, const CRecordList& records, IJobProgress& progress,
                     EPathSource pathSource)
{
    CCsvTimes times;
    return WriteRecordLines(
        path, CsvHeader(), records,
        [&times](std::string& out, const SRecordLine& r) { AppendRow(out, r.time, r.level, r.kind.unit, r.milli, times); },
        progress, pathSource);
}

} // namespace sonivel

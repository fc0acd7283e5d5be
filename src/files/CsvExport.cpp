#include "files/CsvExport.h"

#include <algorithm>

#include "common/IsoTime.h"
#include "common/Text.h"
#include "files/RecordLines.h"
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

} // namespace

std::string_view CsvHeader()
{
    return "time,level_db,weighting,local_time\r\n";
}

void AppendCsvRow(std::string& out, const CObjData& record)
{
    const std::optional<std::time_t> t = ParseDateTime(record.m_strTime);
    const std::string iso = t ? IsoLocalTimeText(*t, record.m_nMilli) : std::string();
    if (t)
        out += iso;
    else
        AppendField(out, record.m_strTime);
    out += ',';
    out += Format("%.2f", record.m_dValue);
    out += ',';
    AppendField(out, Weighting(record.m_strUnit));
    out += ',';
    // "yyyy-mm-ddThh:mm:ss.mmm": the ISO time up to its UTC offset.
    out += std::string_view(iso).substr(0, std::min<std::size_t>(iso.size(), 23));
    out += "\r\n";
}

SFileResult WriteCsv(const std::string& path, const CRecordList& records, EPathSource pathSource)
{
    return WriteCsv(path, records, NoProgress(), pathSource);
}

SFileResult WriteCsv(const std::string& path, const CRecordList& records, IJobProgress& progress,
                     EPathSource pathSource)
{
    return WriteRecordLines(
        path, CsvHeader(), records, [](std::string& out, std::size_t, const CObjData& r) { AppendCsvRow(out, r); },
        progress, pathSource);
}

} // namespace sonivel

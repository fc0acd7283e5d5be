#include "files/CsvExport.h"

#include "common/IsoTime.h"
#include "common/Text.h"
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

constexpr std::size_t kBlockBytes = 64 * 1024;

} // namespace

std::string_view CsvHeader()
{
    return "time,level_db,weighting\r\n";
}

void AppendCsvRow(std::string& out, const CObjData& record)
{
    if (const std::optional<std::time_t> t = ParseDateTime(record.m_strTime))
        out += IsoLocalTimeText(*t, record.m_nMilli);
    else
        AppendField(out, record.m_strTime);
    out += ',';
    out += Format("%.2f", record.m_dValue);
    out += ',';
    AppendField(out, Weighting(record.m_strUnit));
    out += "\r\n";
}

SFileResult WriteCsv(const std::string& path, const CRecordList& records, EPathSource pathSource)
{
    return WriteFileFrom(
        path,
        [&records](const ContentWriter& write) -> SFileResult {
            std::string block(CsvHeader());
            for (std::size_t i = 0; i < records.GetSize(); ++i) {
                AppendCsvRow(block, records.GetAt(i));
                if (block.size() >= kBlockBytes) {
                    if (!write(block))
                        return {};   // the writer's own failure is reported
                    block.clear();
                }
            }
            if (!block.empty())
                write(block);
            return {};
        },
        pathSource);
}

} // namespace sonivel

#include "files/ExcelExport.h"

#include "common/Text.h"
#include "files/RecordLines.h"
#include "files/TextLines.h"

namespace sonivel {

std::string FormatExportHead(const SStatBlock& block, EExportSource source)
{
    std::string out;
    const RTStatistics& s = block.stats;
    const char* maxFormat = source == EExportSource::MainView ? "Max\t%.2f @ %s  %s\t" : "Max\t%.2f @ %s  %s \t";
    AppendLine(out, Format("StartTime\t%s\t", s.strStartTime.c_str()));
    AppendLine(out, Format(maxFormat, s.dMax, s.strMaxTime.c_str(), s.strMaxUnit.c_str()));
    AppendLine(out, Format("Min\t%.2f @ %s  %s\t", s.dMin, s.strMinTime.c_str(), s.strMinUnit.c_str()));
    AppendLine(out, Format("Average\t%.2f\t", s.dAverage));
    AppendLine(out, Format("SampleRate\t%.2f\t", block.dSampleRate));
    AppendLine(out, "ID\tUnit\tValue\tDateTime\t");
    return out;
}

std::string FormatExportRow(std::size_t id, const CObjData& r)
{
    std::string out;
    AppendLine(out, Format("%zu\t%s\t%.2f\t%s\t", id, r.m_strUnit.c_str(), r.m_dValue, r.m_strTime.c_str()));
    return out;
}

std::string FormatExport(const CRecordList& records, const SStatBlock& block, EExportSource source)
{
    std::string out;
    if (records.IsEmpty())
        return out;
    out.reserve(40 * (records.GetSize() + 6));
    out += FormatExportHead(block, source);
    for (std::size_t i = 0; i < records.GetSize(); ++i)
        out += FormatExportRow(i + 1, records.GetAt(i));
    return out;
}

SFileResult WriteExport(const std::string& path, const CRecordList& records, const SStatBlock& stats,
                        EExportSource source, EPathSource pathSource)
{
    return WriteExport(path, records, stats, source, NoProgress(), pathSource);
}

SFileResult WriteExport(const std::string& path, const CRecordList& records, const SStatBlock& stats,
                        EExportSource source, IJobProgress& progress, EPathSource pathSource)
{
    if (records.IsEmpty())
        return {};
    return WriteRecordLines(
        path, FormatExportHead(stats, source), records,
        [](std::string& out, std::size_t i, const CObjData& r) { out += FormatExportRow(i + 1, r); }, progress,
        pathSource);
}

} // namespace sonivel

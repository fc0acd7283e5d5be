#include "files/ExcelExport.h"

#include <charconv>

#include "common/Text.h"
#include "files/RecordLines.h"
#include "files/TextLines.h"

namespace sonivel {
namespace {

void AppendRowOf(std::string& out, const SRecordLine& r)
{
    AppendExportRow(out, r.index + 1, r.time, r.level, r.kind.unit);
}

} // namespace

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

void AppendExportRow(std::string& out, std::size_t id, std::string_view time, double level, std::string_view unit)
{
    // "%zu\t%s\t%.2f\t%s\t" and the line end
    char number[24];
    out.append(number, std::to_chars(number, number + sizeof number, id).ptr);
    out += '\t';
    out += unit;
    out += '\t';
    AppendFixed2(out, level);
    out += '\t';
    out += time;
    out += '\t';
    out += kLineEnd;
}

std::string FormatExportRow(std::size_t id, const CObjData& r)
{
    std::string out;
    AppendExportRow(out, id, r.m_strTime, r.m_dValue, r.m_strUnit);
    return out;
}

std::string FormatExport(const CRecordList& records, const SStatBlock& block, EExportSource source)
{
    std::string out;
    CRecordLines lines(records);
    if (lines.Count() == 0)
        return out;
    out.reserve(40 * (lines.Count() + 6));
    out += FormatExportHead(block, source);
    for (std::size_t i = 0; i < lines.Count(); ++i)
        AppendRowOf(out, lines.At(i));
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
    return WriteRecordLines(path, FormatExportHead(stats, source), records, AppendRowOf, progress, pathSource);
}

} // namespace sonivel

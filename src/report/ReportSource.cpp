#include "report/ReportSource.h"

#include "files/DataFile.h"
#include "graph/TimeAxis.h"

namespace sonivel {

void CReportCollector::Add(const CObjData& record)
{
    auto it = m_parts.begin();
    while (it != m_parts.end() && it->unit != record.m_strUnit)
        ++it;
    if (it == m_parts.end()) {
        m_parts.push_back({record.m_strUnit, {}, {}, {}, record.m_dSampleRate});
        it = m_parts.end() - 1;
    }
    const long long before = it->figures.Count();
    it->figures.Add(record.m_dValue, record.m_strTime, record.m_dSampleRate);
    if (it->figures.Count() == before)
        return;   // not a level (the figures leave it out, so does the chart)
    const double place = it->timeline.Place(ParseDateTimeFields(record.m_strTime), record.m_dSampleRate);
    it->envelope.Add(place, record.m_dSampleRate, record.m_dValue);
}

SReportSource CReportCollector::Finish(std::string name) const
{
    SReportSource source{std::move(name), {}};
    for (const SPart& part : m_parts) {
        if (part.figures.Count() > 0)
            source.spans.push_back({part.unit, part.figures.Figures(), part.interval, part.timeline.Origin(),
                                    part.envelope});
    }
    return source;
}

SReportSource ReportSourceOf(const std::string& name, const CRecordList& records)
{
    return *ReportSourceOf(name, records, NoProgress());
}

std::optional<SReportSource> ReportSourceOf(const std::string& name, const CRecordList& records,
                                            IJobProgress& progress)
{
    constexpr std::size_t kBlock = 4096;   // records between two looks at the progress
    const std::size_t n = records.GetSize();
    progress.SetTotal(n);
    CReportCollector collector;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % kBlock == 0) {
            if (progress.Cancelled())
                return std::nullopt;
            progress.SetDone(i);
        }
        collector.Add(records.GetAt(i));
    }
    if (progress.Cancelled())
        return std::nullopt;
    progress.SetDone(n);
    return collector.Finish(name);
}

bool ReadReportSource(const std::string& path, SReportSource& source, std::string& error)
{
    CReportCollector collector;
    if (!ScanDataFileNamed(path, [&](const CObjData& r) { collector.Add(r); }, error))
        return false;
    const std::size_t slash = path.find_last_of('/');
    source = collector.Finish(slash == std::string::npos ? path : path.substr(slash + 1));
    return true;
}

} // namespace sonivel

#include "acoustics/FigureTexts.h"

#include <cmath>

#include "common/Text.h"

namespace sonivel {
namespace {

std::string LevelText(double level)
{
    return std::isfinite(level) ? Format("%.1f dB", level) : "-";
}

std::string TimeText(const std::optional<SCalendarTime>& t)
{
    if (!t)
        return "-";
    return Format("%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour, t->minute, t->second);
}

std::string HourText(const SCalendarTime& t)
{
    return Format("%04d-%02d-%02d %02d:00", t.year, t.month, t.day, t.hour);
}

// "A" for dBA, "C" for dBC; nothing for any other unit ("Leq", "L10").
std::string Letter(const std::string& unit)
{
    return unit == "dBA" ? "A" : unit == "dBC" ? "C" : "";
}

std::string Heading(const std::string& unit)
{
    const std::string letter = Letter(unit);
    return letter.empty() ? unit : letter + "-weighted (" + unit + ")";
}

} // namespace

std::string DurationText(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return "-";
    const long long tenths = std::llround(seconds * 10);
    const long long whole = tenths / 10;
    std::string text = Format("%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    if (tenths % 10)
        text += Format(".%lld", tenths % 10);
    return text;
}

SWeightingTexts WeightingTexts(const std::string& unit, const SNoiseFigures& f)
{
    const std::string l = "L" + Letter(unit);
    SWeightingTexts t;
    t.heading = Heading(unit);
    t.leqName = l + "eq";
    t.figures = {
        {l + "eq", LevelText(f.leq), {}},
        {l + "max", LevelText(f.lmax), TimeText(f.lmaxTime)},
        {l + "min", LevelText(f.lmin), TimeText(f.lminTime)},
        {l + "5", LevelText(f.l5), {}},
        {l + "10", LevelText(f.l10), {}},
        {l + "50", LevelText(f.l50), {}},
        {l + "90", LevelText(f.l90), {}},
        {l + "95", LevelText(f.l95), {}},
        {"SEL", LevelText(f.sel), {}},
        {"Average", LevelText(f.average), {}},
        {"Count", Format("%lld", f.count), {}},
        {"Start", TimeText(f.start), {}},
        {"End", TimeText(f.end), {}},
        {"Duration", DurationText(f.durationS), {}},
    };
    const std::pair<const char*, const std::optional<double>&> periods[] = {
        {"Lday", f.lday}, {"Levening", f.levening}, {"Lnight", f.lnight}, {"Lden", f.lden}};
    for (const auto& [name, value] : periods) {
        if (value)
            t.figures.push_back({name, LevelText(*value), {}});
    }
    for (const SHourFigure& h : f.hourly)
        t.hourly.push_back({HourText(h.hour), LevelText(h.leq), Format("%lld", h.count)});
    return t;
}

std::vector<SWeightingTexts> SpanTexts(const CFiguresByWeighting& figures)
{
    std::vector<SWeightingTexts> out;
    for (const auto& [unit, running] : figures.Weightings()) {
        if (running.Count() > 0)
            out.push_back(WeightingTexts(unit, running.Figures()));
    }
    return out;
}

CFiguresByWeighting FiguresOfRange(const CRecordList& records, std::size_t first, std::size_t last)
{
    CFiguresByWeighting figures;
    for (std::size_t i = first; i <= last && i < records.GetSize(); ++i)
        figures.Add(records.GetAt(i));
    return figures;
}

} // namespace sonivel

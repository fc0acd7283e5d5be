#include "StatsJson.h"

#include <cmath>

#include "LiveJson.h"
#include "PcTime.h"
#include "common/Text.h"

using namespace sonivel;

namespace {

// A level in dB as a JSON number rounded to 0.01 (null for none, e.g. the
// exposure level of a file whose interval reads as 0).
std::string Level(double level)
{
    return std::isfinite(level) ? Format("%.2f", level) : "null";
}

// A record time as ISO 8601 local time with the UTC offset; null when its
// text could not be read or the local time does not exist.
std::string Time(const std::optional<SCalendarTime>& t)
{
    const std::time_t instant = t ? MakeLocalTime(*t) : -1;
    if (instant == -1)
        return "null";
    return JsonString(PcTimeText(std::chrono::system_clock::from_time_t(instant)));
}

std::string WeightingName(const std::string& unit)
{
    return unit == "dBC" ? "C" : unit == "dBA" ? "A" : unit;
}

std::string HourlyJson(const SNoiseFigures& f)
{
    std::string out = ",\"hourly\":[";
    for (std::size_t i = 0; i < f.hourly.size(); ++i) {
        const SHourFigure& h = f.hourly[i];
        out += Format("%s{\"hour\":%s,\"leq\":%s,\"count\":%lld}", i ? "," : "", Time(h.hour).c_str(),
                      Level(h.leq).c_str(), h.count);
    }
    out += "]";
    const std::pair<const char*, const std::optional<double>&> periods[] = {
        {"lday", f.lday}, {"levening", f.levening}, {"lnight", f.lnight}, {"lden", f.lden}};
    for (const auto& [name, value] : periods) {
        if (value)
            out += Format(",\"%s\":%s", name, Level(*value).c_str());
    }
    return out;
}

std::string FiguresJson(const std::string& file, const std::string& unit, const SNoiseFigures& f, bool hourly)
{
    std::string out = Format(
        "{\"file\":%s,\"weighting\":%s,\"count\":%lld,\"start\":%s,\"end\":%s,\"duration_s\":%.10g,"
        "\"lmax\":%s,\"lmax_time\":%s,\"lmin\":%s,\"lmin_time\":%s,\"average\":%s,\"leq\":%s,\"sel\":%s,"
        "\"l5\":%s,\"l10\":%s,\"l50\":%s,\"l90\":%s,\"l95\":%s",
        JsonString(file).c_str(), JsonString(WeightingName(unit)).c_str(), f.count, Time(f.start).c_str(),
        Time(f.end).c_str(), f.durationS, Level(f.lmax).c_str(), Time(f.lmaxTime).c_str(), Level(f.lmin).c_str(),
        Time(f.lminTime).c_str(), Level(f.average).c_str(), Level(f.leq).c_str(), Level(f.sel).c_str(),
        Level(f.l5).c_str(), Level(f.l10).c_str(), Level(f.l50).c_str(), Level(f.l90).c_str(),
        Level(f.l95).c_str());
    if (hourly)
        out += HourlyJson(f);
    return out + "}";
}

} // namespace

std::vector<std::string> FiguresJsonLines(const std::string& file, const CFiguresByWeighting& figures, bool hourly)
{
    std::vector<std::string> lines;
    if (figures.Weightings().empty()) {
        // No record (a file with only its header, a run that took none): no
        // weighting, no figures.
        lines.push_back(Format("{\"file\":%s,\"weighting\":null,\"count\":0,\"start\":null,\"end\":null,"
                               "\"duration_s\":0,\"lmax\":null,\"lmax_time\":null,\"lmin\":null,\"lmin_time\":null,"
                               "\"average\":null,\"leq\":null,\"sel\":null,\"l5\":null,\"l10\":null,\"l50\":null,"
                               "\"l90\":null,\"l95\":null}",
                               JsonString(file).c_str()));
    }
    for (const auto& [unit, running] : figures.Weightings())
        lines.push_back(FiguresJson(file, unit, running.Figures(), hourly));
    return lines;
}

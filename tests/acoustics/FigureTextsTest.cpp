// The rows of texts the Noise Statistics window shows for a span.
#include <gtest/gtest.h>

#include <cmath>

#include "acoustics/FigureTexts.h"

using namespace sonivel;

namespace {

std::vector<std::string> Names(const SWeightingTexts& t)
{
    std::vector<std::string> names;
    for (const SFigureRow& r : t.figures)
        names.push_back(r.name);
    return names;
}

} // namespace

// The span from the second record on, at 0.5 s. Its dBC records keep their own
// rows, named by their weighting; the periods appear only where the span has
// records (dBA: 70 dB at 07:00:00 day, 60 dB at 19:30:00 evening, 80 dB at
// 23:30:00 night, so Lden too; dBC: the day only). The first dBC record has an
// unreadable time: it counts in the levels, not in the times.
TEST(FigureTexts, RowsPerWeightingNamedByItAndPeriodsOnlyWhenPresent)
{
    CRecordStore records;
    const struct {
        double level;
        const char* time;
        const char* unit;
    } made[] = {{50.0, "08-12-2026,06:59:59", "dBA"}, {70.0, "08-12-2026,07:00:00", "dBA"},
                {91.5, "not a time", "dBC"},          {90.0, "08-12-2026,08:00:00", "dBC"},
                {60.0, "08-12-2026,19:30:00", "dBA"}, {80.0, "08-12-2026,23:30:00", "dBA"}};
    for (const auto& r : made)
        records.Add(CObjData(r.level, r.time, r.unit, 0, 0.5));

    const std::vector<SWeightingTexts> span = SpanTexts(FiguresOfRange(records, 1, 99));
    ASSERT_EQ(span.size(), 2u);
    const SWeightingTexts& a = span[0];
    EXPECT_EQ(a.heading, "A-weighted (dBA)");
    EXPECT_EQ(a.leqName, "LAeq");
    EXPECT_EQ(Names(a), (std::vector<std::string>{"LAeq", "LAmax", "LAmin", "LA5", "LA10", "LA50", "LA90", "LA95",
                                                  "SEL", "Average", "Count", "Start", "End", "Duration", "Lday",
                                                  "Levening", "Lnight", "Lden"}));
    EXPECT_EQ(a.figures[1].value, "80.0 dB");
    EXPECT_EQ(a.figures[1].time, "2026-12-08 23:30:00");
    EXPECT_EQ(a.figures[10].value, "3");
    EXPECT_EQ(a.figures[11].value, "2026-12-08 07:00:00");
    EXPECT_EQ(a.figures[13].value, "0:00:01.5");
    ASSERT_EQ(a.hourly.size(), 3u);
    EXPECT_EQ(a.hourly[2].hour, "2026-12-08 23:00");
    EXPECT_EQ(a.hourly[2].leq, "80.0 dB");
    EXPECT_EQ(a.hourly[2].count, "1");

    const SWeightingTexts& c = span[1];
    EXPECT_EQ(c.heading, "C-weighted (dBC)");
    EXPECT_EQ(Names(c).front(), "LCeq");
    EXPECT_EQ(Names(c).back(), "Lday");
    EXPECT_EQ(c.figures[1].time, "-");          // the first 91.5 dB has no readable time
    EXPECT_EQ(c.figures[11].value, "-");        // nor has the first record
    EXPECT_EQ(c.figures[12].value, "2026-12-08 08:00:00");
    EXPECT_EQ(c.hourly.size(), 1u);             // the unreadable time joins no hour

    // Durations: whole seconds, tenths, hours; nothing for no number.
    const std::pair<double, const char*> durations[] = {
        {0, "0:00:00"}, {0.30000000000000004, "0:00:00.3"}, {59.95, "0:01:00"}, {3725, "1:02:05"},
        {90000.5, "25:00:00.5"}, {-1, "-"}, {std::nan(""), "-"}};
    for (const auto& [seconds, text] : durations)
        EXPECT_EQ(DurationText(seconds), text) << seconds;
}

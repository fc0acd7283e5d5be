#pragma once
// The shape of a span's levels over time for its chart: the lowest and highest
// level in each stretch of time, kept in a bounded number of buckets however
// many records come, so that drawing the chart costs the same for a minute
// and for a month. Pure; one thread; nothing can fail.
#include <cstddef>
#include <optional>
#include <vector>

#include "protocol/LocalTimeStep.h"

namespace sonivel {

// Seconds of a calendar time counted on the clock's face (every day 86,400 s,
// no time zone), so that a chart over local times shows them as they read.
long long CalendarSeconds(const SCalendarTime& t);
// The calendar time of such a count.
SCalendarTime CalendarOfSeconds(long long seconds);

// The place of each record on the time axis, in seconds after the first
// record. Record times hold whole seconds; records that share one second (a
// sampling interval under 1 s) are spread over it by the interval. A record
// whose time cannot be read, or whose time lies before the previous record's
// (the clock was set back), sits one interval after the previous record.
class CRecordTimeline {
public:
    // The record's place; time is its time text's fields, none when unreadable.
    double Place(const std::optional<SCalendarTime>& time, double interval);
    // The first record's time (none before the first readable one).
    const std::optional<SCalendarTime>& Origin() const { return m_origin; }

private:
    std::optional<SCalendarTime> m_origin;
    long long m_originSeconds = 0;
    long long m_lastSecond = 0;   // the last readable time, seconds after the origin
    int m_inSecond = 0;           // records before this one at m_lastSecond
    double m_last = 0;
    bool m_any = false;
};

struct SEnvelopeColumn {
    bool any = false;   // no record in the column: a gap in the chart
    double min = 0, max = 0;
};

class CLevelEnvelope {
public:
    // Buckets are merged pairwise when there would be more than 2 x columns.
    CLevelEnvelope() : CLevelEnvelope(2048) {}
    explicit CLevelEnvelope(std::size_t columns);
    // A level held from `place` seconds after the first record for `interval`
    // seconds (places never decrease). The span's end moves to its end.
    void Add(double place, double interval, double level);
    double End() const { return m_end; }
    // The envelope over [0, End()) in n equal columns (n at most the columns
    // given at construction for full detail).
    std::vector<SEnvelopeColumn> Columns(std::size_t n) const;

private:
    void Halve();

    std::size_t m_limit;
    double m_width = 1.0 / 64;   // seconds per bucket, doubled as the span grows
    std::vector<SEnvelopeColumn> m_buckets;
    double m_end = 0;
};

} // namespace sonivel

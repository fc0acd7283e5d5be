#include "protocol/LoggerDecoder.h"

#include <memory>

#include "common/Text.h"
#include "protocol/LocalTimeStep.h"
#include "protocol/MeterText.h"

using sonivel::AtoI;
using sonivel::Mid;

namespace {

constexpr std::size_t kHeaderChars = 16;   // 8 header bytes in front of the "ac" marker
constexpr std::size_t kSampleChars = 4;    // 2 BCD bytes per sample, tenths of a dB

} // namespace

// One pass of decoding: the fields of the current group header live in the
// decoder; the stepper follows them while the header names a real time.
class CLoggerDecoder::CPass {
public:
    CPass(CLoggerDecoder& decoder, CRecordStore& store) : m_decoder(decoder), m_store(store) {}

    void Header(std::string_view header)
    {
        CLoggerDecoder& d = m_decoder;
        d.m_nYear = AtoI("20" + std::string(Mid(header, 2, 2)));
        d.m_nMonth = AtoI(Mid(header, 4, 2));
        d.m_nHour = MeterHour(Mid(header, 8, 2));
        d.m_strUnit = Mid(header, 0, 2) == "aa" ? "dBA" : "dBC";
        d.m_nDay = AtoI(Mid(header, 6, 2));
        d.m_nMinute = AtoI(Mid(header, 10, 2));
        d.m_nSecond = AtoI(Mid(header, 12, 2));
        d.m_dSampleRate = AtoI(Mid(header, 14, 2));
        // A header that names no real time keeps its time for every sample.
        m_bClockRuns = m_clock.Start(d.Fields());
        m_bHaveHeader = true;
    }

    // The samples of the current group, 4 characters each; stop is the
    // position up to which a sample may start.
    void Samples(std::string_view pieces, std::size_t stop)
    {
        if (!m_bHaveHeader)
            return;   // text in front of the first header has no header of its own
        for (std::size_t i = 0; i < stop; i += kSampleChars)
            Record(Mid(pieces, i, kSampleChars));
    }

    std::size_t Made() const { return m_nMade; }

private:
    void Record(std::string_view piece)
    {
        CLoggerDecoder& d = m_decoder;
        const double level = AtoI(piece) / 10.0;
        m_store.Add(CObjData(
            level,
            sonivel::Format("%.2d-%.2d-%d,%d:%.2d:%.2d", d.m_nDay, d.m_nMonth, d.m_nYear, d.m_nHour,
                            d.m_nMinute, d.m_nSecond),
            d.m_strUnit, d.m_nLogGroup, d.m_dSampleRate));
        ++m_nMade;
        if (m_bClockRuns)
            d.SetFields(m_clock.Advance(static_cast<long>(d.m_dSampleRate)));
    }

    CLoggerDecoder& m_decoder;
    CRecordStore& m_store;
    CLocalTimeStepper m_clock;
    bool m_bClockRuns = false;
    bool m_bHaveHeader = false;
    std::size_t m_nMade = 0;
};

SCalendarTime CLoggerDecoder::Fields() const
{
    return {m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond};
}

void CLoggerDecoder::SetFields(const SCalendarTime& t)
{
    m_nYear = t.year;
    m_nMonth = t.month;
    m_nDay = t.day;
    m_nHour = t.hour;
    m_nMinute = t.minute;
    m_nSecond = t.second;
}

// The groups are split on their "ac" markers: the 16 characters in front of
// a marker are its group's header, the text between a marker and the next
// group's header holds the samples, and the last group's samples end at the
// first "dd" behind its marker.
std::size_t CLoggerDecoder::DecodeLoggerText(std::string_view text, CRecordStore& store)
{
    CPass pass(*this, store);
    std::string_view rest = text;
    for (std::size_t a = rest.find("ac"); a != std::string_view::npos; a = rest.find("ac")) {
        const std::string_view header =
            a < kHeaderChars ? Mid(rest, 0, kHeaderChars) : rest.substr(a - kHeaderChars, kHeaderChars);
        const std::string_view pieces = a > kHeaderChars ? rest.substr(0, a - kHeaderChars) : std::string_view{};
        rest = rest.substr(a + 2);
        pass.Samples(pieces, pieces.size());
        ++m_nLogGroup;
        pass.Header(header);
    }
    const std::size_t d = rest.find("dd");
    if (d != std::string_view::npos) {
        // A two-character remainder in front of the end marker is no sample.
        const std::string_view pieces = rest.substr(0, d);
        pass.Samples(pieces, pieces.size() > 2 ? pieces.size() - 2 : 0);
    }
    return pass.Made();
}

#include "records/RecordList.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "records/RecordTime.h"

namespace {

constexpr std::int64_t kSideTable = 2;   // time style of a text kept whole

} // namespace

std::string_view CRecordView::TimeTextAt(std::size_t i, sonivel::CTimeTexts& texts) const
{
    const std::int64_t time = Packed(i).time;
    const std::int64_t style = time & 3;
    if (style == kSideTable) {
        const auto t = static_cast<std::size_t>(time >> 2);
        return m_textChunks[t / kTextsPerChunk][t % kTextsPerChunk];
    }
    return texts.Text({time >> 2, static_cast<sonivel::ETimeStyle>(style)});
}

CObjData CRecordView::At(std::size_t i) const
{
    const SPackedRecord& r = Packed(i);
    sonivel::CTimeTexts texts;
    const SRecordKind& kind = m_kinds[r.kind];
    return CObjData(r.level, std::string(TimeTextAt(i, texts)), kind.unit, kind.group, kind.rate,
                    static_cast<int>(r.milli));
}

CRecordStore& CRecordStore::operator=(CRecordStore&& other) noexcept
{
    m_records = std::exchange(other.m_records, {});
    m_texts = std::exchange(other.m_texts, {});
    m_kindCodes = std::exchange(other.m_kindCodes, {});
    m_lastKind = std::exchange(other.m_lastKind, 0);
    m_view = std::exchange(other.m_view, {});
    m_envelope = std::exchange(other.m_envelope, {});
    return *this;
}

CRecordSnapshot CRecordStore::Snapshot() const
{
    return CRecordSnapshot(m_view, {}, true);
}

std::uint32_t CRecordStore::KindCode(std::string_view unit, int group, double rate)
{
    const auto bits = std::bit_cast<std::uint64_t>(rate);   // every interval, NaN too, as given
    const std::vector<SRecordKind>& kinds = m_view.m_kinds;
    if (m_lastKind < kinds.size()) {
        const SRecordKind& last = kinds[m_lastKind];
        if (last.group == group && std::bit_cast<std::uint64_t>(last.rate) == bits && last.unit == unit)
            return m_lastKind;
    }
    auto key = std::make_tuple(std::string(unit), group, bits);
    if (const auto found = m_kindCodes.find(key); found != m_kindCodes.end())
        return m_lastKind = found->second;
    const auto code = static_cast<std::uint32_t>(kinds.size());
    m_view.m_kinds.push_back({std::string(unit), group, rate});
    try {
        m_kindCodes.emplace(std::move(key), code);
    } catch (...) {
        m_view.m_kinds.pop_back();
        throw;
    }
    return m_lastKind = code;
}

std::int64_t CRecordStore::TimeCode(std::string_view text)
{
    sonivel::SPackedTime packed;
    if (sonivel::PackTimeText(text, packed))
        return packed.seconds * 4 + static_cast<std::int64_t>(packed.style);
    const std::size_t t = m_view.m_texts;
    if (t % CRecordView::kTextsPerChunk == 0 && t / CRecordView::kTextsPerChunk == m_texts.size()) {
        m_texts.push_back(std::make_unique<std::string[]>(CRecordView::kTextsPerChunk));
        try {
            m_view.m_textChunks.push_back(m_texts.back().get());
        } catch (...) {
            m_texts.pop_back();
            throw;
        }
    }
    m_texts[t / CRecordView::kTextsPerChunk][t % CRecordView::kTextsPerChunk] = text;
    ++m_view.m_texts;
    return static_cast<std::int64_t>(t) * 4 + kSideTable;
}

void CRecordStore::Add(const CObjData& record)
{
    Add(record.m_dValue, record.m_strTime, record.m_strUnit, record.m_nGroup, record.m_dSampleRate, record.m_nMilli);
}

void CRecordStore::Add(double level, std::string_view time, std::string_view unit, int group, double rate,
                       int milli)
{
    const std::size_t n = m_view.m_count;
    if (n % CRecordView::kRecordsPerChunk == 0 && n / CRecordView::kRecordsPerChunk == m_records.size()) {
        m_records.push_back(std::make_unique_for_overwrite<SPackedRecord[]>(CRecordView::kRecordsPerChunk));
        try {
            m_view.m_recordChunks.push_back(m_records.back().get());
        } catch (...) {
            m_records.pop_back();
            throw;
        }
    }
    SPackedRecord& slot = m_records[n / CRecordView::kRecordsPerChunk][n % CRecordView::kRecordsPerChunk];
    slot.level = level;
    slot.kind = KindCode(unit, group, rate);
    slot.milli = static_cast<std::int16_t>(milli);
    slot.time = TimeCode(time);   // a side-table text is the last thing kept
    try {
        m_envelope.Append(level);
    } catch (...) {
        if ((slot.time & 3) == kSideTable)
            --m_view.m_texts;
        throw;
    }
    m_view.m_count = n + 1;
}

void CRecordStore::RemoveAll()
{
    m_envelope.Clear();
    m_view = {};
    m_records.clear();
    m_texts.clear();
    m_kindCodes.clear();
    m_lastKind = 0;
}

void CRecordStore::Replace(CRecordStore&& records)
{
    RemoveAll();
    *this = std::move(records);
}

CRecordSnapshot CRecordSelection::Snapshot() const
{
    if (!m_source)
        return CRecordSnapshot({}, {}, false);
    CRecordSnapshot whole = m_source->Snapshot();
    std::vector<std::size_t> indexes;
    indexes.reserve(m_indexes.size());
    for (const std::size_t i : m_indexes)
        indexes.push_back(whole.Index(i));
    return CRecordSnapshot(std::move(whole.m_view), std::move(indexes), false);
}

void CRecordSelection::Add(const CRecordList& source, std::size_t i)
{
    m_indexes.push_back(i);
    try {
        m_envelope.Append(source.LevelAt(i));
    } catch (...) {
        m_indexes.pop_back();
        throw;
    }
    m_source = &source;
}

void CRecordSelection::RemoveAll()
{
    m_indexes.clear();
    m_envelope.Clear();
    m_source = nullptr;
}

#include "records/RecordList.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <utility>

#include "records/RecordTime.h"

namespace {

constexpr std::int64_t kSideTable = 2;   // time style of a text kept whole

// The index of value in table, added at the end when it is new.
template <class T>
std::uint16_t CodeIn(std::vector<T>& table, const T& value)
{
    const auto found = std::find(table.begin(), table.end(), value);
    if (found != table.end())
        return static_cast<std::uint16_t>(found - table.begin());
    if (table.size() > 0xFFFF)
        throw std::length_error("too many distinct units or intervals");
    table.push_back(value);
    return static_cast<std::uint16_t>(table.size() - 1);
}

} // namespace

CObjData CRecordView::At(std::size_t i) const
{
    const SPackedRecord& r = Packed(i);
    const std::int64_t time = r.time;
    const std::int64_t style = time & 3;
    std::string text;
    if (style == kSideTable) {
        const auto t = static_cast<std::size_t>(time >> 2);
        text = m_textChunks[t / kTextsPerChunk][t % kTextsPerChunk];
    } else {
        text = sonivel::UnpackTimeText({time >> 2, static_cast<sonivel::ETimeStyle>(style)});
    }
    return CObjData(r.level, std::move(text), m_units[r.unit], r.group, m_rates[r.rate],
                    static_cast<int>(r.milli));
}

CRecordStore& CRecordStore::operator=(CRecordStore&& other) noexcept
{
    m_records = std::exchange(other.m_records, {});
    m_texts = std::exchange(other.m_texts, {});
    m_view = std::exchange(other.m_view, {});
    m_envelope = std::exchange(other.m_envelope, {});
    return *this;
}

CRecordSnapshot CRecordStore::Snapshot() const
{
    return CRecordSnapshot(m_view, {}, true);
}

std::uint16_t CRecordStore::Code(std::vector<std::string>& table, const std::string& text)
{
    if (!table.empty() && table.back() == text)
        return static_cast<std::uint16_t>(table.size() - 1);
    return CodeIn(table, text);
}

std::uint16_t CRecordStore::Code(std::vector<double>& table, double rate)
{
    // Compared by bits, so that every interval (NaN too) comes back as given.
    for (std::size_t i = 0; i < table.size(); ++i)
        if (std::bit_cast<std::uint64_t>(table[i]) == std::bit_cast<std::uint64_t>(rate))
            return static_cast<std::uint16_t>(i);
    if (table.size() > 0xFFFF)
        throw std::length_error("too many distinct units or intervals");
    table.push_back(rate);
    return static_cast<std::uint16_t>(table.size() - 1);
}

std::int64_t CRecordStore::TimeCode(const std::string& text)
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
    slot.level = record.m_dValue;
    slot.unit = Code(m_view.m_units, record.m_strUnit);
    slot.rate = Code(m_view.m_rates, record.m_dSampleRate);
    slot.group = record.m_nGroup;
    slot.milli = record.m_nMilli;
    slot.time = TimeCode(record.m_strTime);   // a side-table text is the last thing kept
    try {
        m_envelope.Append(record.m_dValue);
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

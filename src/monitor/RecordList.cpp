#include "monitor/RecordList.h"

namespace {

// Appends to a list and its envelope together: when the envelope cannot
// grow, the list is cut back, so both still hold the same records.
template <class List, class Item>
void AddWithEnvelope(List& list, Item item, double level, sonivel::CEnvelopePyramid& envelope)
{
    list.push_back(std::move(item));
    try {
        envelope.Append(level);
    } catch (...) {
        list.pop_back();
        throw;
    }
}

} // namespace

const CObjData& CRecordStore::Add(std::unique_ptr<CObjData> record)
{
    const double level = record->m_dValue;
    AddWithEnvelope(m_records, std::move(record), level, m_envelope);
    return *m_records.back();
}

void CRecordStore::RemoveAll()
{
    m_envelope.Clear();
    while (!m_records.empty())
        m_records.pop_back();
}

void CRecordStore::Replace(std::vector<std::unique_ptr<CObjData>> records)
{
    // The new envelope is built first, so a failure leaves the store whole.
    sonivel::CEnvelopePyramid envelope;
    for (const auto& record : records)
        envelope.Append(record->m_dValue);
    RemoveAll();
    m_records = std::move(records);
    m_envelope = std::move(envelope);
}

void CRecordSelection::Add(const CObjData& record)
{
    AddWithEnvelope(m_records, &record, record.m_dValue, m_envelope);
}

void CRecordSelection::RemoveAll()
{
    m_records.clear();
    m_envelope.Clear();
}

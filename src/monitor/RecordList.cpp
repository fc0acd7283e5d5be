#include "monitor/RecordList.h"

const CObjData& CRecordStore::Add(std::unique_ptr<CObjData> record)
{
    m_records.push_back(std::move(record));
    return *m_records.back();
}

void CRecordStore::RemoveAll()
{
    while (!m_records.empty())
        m_records.pop_back();
}

void CRecordStore::Replace(std::vector<std::unique_ptr<CObjData>> records)
{
    RemoveAll();
    m_records = std::move(records);
}

#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "monitor/ObjData.h"

// A read-only ordered list of records: what the chart, the files, export and
// printing read. Index 0 is the oldest record.
class CRecordList {
public:
    virtual ~CRecordList() = default;
    virtual std::size_t GetSize() const = 0;
    virtual const CObjData& GetAt(std::size_t i) const = 0;
    bool IsEmpty() const { return GetSize() == 0; }
};

// A record store: owns its records, grows only at the end, is emptied whole.
class CRecordStore final : public CRecordList {
public:
    std::size_t GetSize() const override { return m_records.size(); }
    const CObjData& GetAt(std::size_t i) const override { return *m_records[i]; }

    // Appends a record and takes ownership; returns it.
    const CObjData& Add(std::unique_ptr<CObjData> record);
    // Deletes every record, the newest first.
    void RemoveAll();
    // Replaces the whole contents (a file read, for example).
    void Replace(std::vector<std::unique_ptr<CObjData>> records);
    void Reserve(std::size_t n) { m_records.reserve(n); }

private:
    std::vector<std::unique_ptr<CObjData>> m_records;
};

// A selection of records that belong to some store (the data-logger window's
// selected group). Holds no ownership; must be emptied before the store is.
class CRecordSelection final : public CRecordList {
public:
    std::size_t GetSize() const override { return m_records.size(); }
    const CObjData& GetAt(std::size_t i) const override { return *m_records[i]; }
    void Add(const CObjData& record) { m_records.push_back(&record); }
    void RemoveAll() { m_records.clear(); }

private:
    std::vector<const CObjData*> m_records;
};

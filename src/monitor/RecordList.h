#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "monitor/ObjData.h"
#include "records/EnvelopePyramid.h"

// A read-only ordered list of records: what the chart, the files, export and
// printing read. Index 0 is the oldest record. Lists that keep min/max
// envelopes of their levels offer them, always covering every record.
class CRecordList : public sonivel::ILevelSource {
public:
    virtual ~CRecordList() = default;
    virtual std::size_t GetSize() const = 0;
    virtual const CObjData& GetAt(std::size_t i) const = 0;
    virtual const sonivel::CEnvelopePyramid* Envelope() const { return nullptr; }
    double LevelAt(std::size_t i) const override { return GetAt(i).m_dValue; }
    bool IsEmpty() const { return GetSize() == 0; }
};

// A record store: owns its records, grows only at the end, is emptied whole.
// Its envelope follows every change; an append that cannot allocate throws
// and leaves the store as it was.
class CRecordStore final : public CRecordList {
public:
    std::size_t GetSize() const override { return m_records.size(); }
    const CObjData& GetAt(std::size_t i) const override { return *m_records[i]; }
    const sonivel::CEnvelopePyramid* Envelope() const override { return &m_envelope; }

    // Appends a record and takes ownership; returns it.
    const CObjData& Add(std::unique_ptr<CObjData> record);
    // Deletes every record, the newest first.
    void RemoveAll();
    // Replaces the whole contents (a file read, for example).
    void Replace(std::vector<std::unique_ptr<CObjData>> records);
    void Reserve(std::size_t n) { m_records.reserve(n); }

private:
    std::vector<std::unique_ptr<CObjData>> m_records;
    sonivel::CEnvelopePyramid m_envelope;
};

// A selection of records that belong to some store (the data-logger window's
// selected group), with its own envelope built as it is filled. Holds no
// ownership; must be emptied before the store is.
class CRecordSelection final : public CRecordList {
public:
    std::size_t GetSize() const override { return m_records.size(); }
    const CObjData& GetAt(std::size_t i) const override { return *m_records[i]; }
    const sonivel::CEnvelopePyramid* Envelope() const override { return &m_envelope; }
    void Add(const CObjData& record);
    void RemoveAll();

private:
    std::vector<const CObjData*> m_records;
    sonivel::CEnvelopePyramid m_envelope;
};

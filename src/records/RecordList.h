#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "records/EnvelopePyramid.h"
#include "records/ObjData.h"
#include "records/RecordTime.h"

// Records as the rest of the program sees them, and the store that keeps them.
//
// A store packs each record into 20 bytes (SPackedRecord) in chunks that never
// move once allocated: the level as it was given, the time as a count of
// seconds (RecordTime.h) or, for a text of another form, an index into a side
// table of texts kept whole, the milliseconds, and the code of its kind (unit,
// group and interval) in a small table of the kinds met. GetAt makes the CObjData back from them, the
// same values, byte for byte, as were added.
//
// Threads: a store is filled and read on one thread. Snapshot copies the chunk
// addresses and the table of kinds (not the records) so that another thread may
// read the records [0, n) of the moment while the appends go on; the store
// must not be emptied before that reading ends.

class CRecordSnapshot;

// What records of a run share: unit, data-logger group and interval.
struct SRecordKind {
    std::string unit;
    int group;
    double rate;
};

// A read-only ordered list of records: what the chart, the files, export and
// printing read. Index 0 is the oldest record. Lists that keep min/max
// envelopes of their levels offer them, always covering every record.
class CRecordList : public sonivel::ILevelSource {
public:
    virtual ~CRecordList() = default;
    virtual std::size_t GetSize() const = 0;
    // The record with index i, made as a value (copy what is kept).
    virtual CObjData GetAt(std::size_t i) const = 0;
    // Only the level of record i (no texts made).
    double LevelAt(std::size_t i) const override = 0;
    // Only the unit, group and interval of record i (no time text made).
    virtual SRecordKind KindAt(std::size_t i) const
    {
        const CObjData r = GetAt(i);
        return {r.m_strUnit, r.m_nGroup, r.m_dSampleRate};
    }
    virtual const sonivel::CEnvelopePyramid* Envelope() const { return nullptr; }
    // The records [0, GetSize()) of now, readable on another thread.
    virtual CRecordSnapshot Snapshot() const = 0;
    // Where record i is kept: another place once the list's records are
    // replaced (for noticing a new list behind the same object).
    virtual const void* RecordKey(std::size_t i) const = 0;
    bool IsEmpty() const { return GetSize() == 0; }
};

// One record packed. time: seconds << 2 | style, or index << 2 | 2 for a time
// text of the side table; kind: index into the table of kinds.
#pragma pack(push, 4)
struct SPackedRecord {
    double level;
    std::int64_t time : 48;
    std::int64_t milli : 16;
    std::uint32_t kind;
};
#pragma pack(pop)
static_assert(sizeof(SPackedRecord) == 20);

// The records [0, count) of a store read through copies of its chunk
// addresses and tables: what a store reads itself, and what a snapshot keeps.
class CRecordView {
public:
    static constexpr std::size_t kRecordsPerChunk = 1 << 14;
    static constexpr std::size_t kTextsPerChunk = 1 << 10;

    CObjData At(std::size_t i) const;
    double LevelAt(std::size_t i) const { return Packed(i).level; }
    const SRecordKind& KindAt(std::size_t i) const { return m_kinds[Packed(i).kind]; }
    // The time text of record i, made by texts (valid as long as both are).
    std::string_view TimeTextAt(std::size_t i, sonivel::CTimeTexts& texts) const;
    const SPackedRecord& Packed(std::size_t i) const
    {
        return m_recordChunks[i / kRecordsPerChunk][i % kRecordsPerChunk];
    }
    std::size_t Count() const { return m_count; }

private:
    friend class CRecordStore;
    std::vector<const SPackedRecord*> m_recordChunks;
    std::vector<const std::string*> m_textChunks;   // the side table of time texts
    std::vector<SRecordKind> m_kinds;
    std::size_t m_count = 0;
    std::size_t m_texts = 0;
};

// A record store: owns its records, grows only at the end, is emptied whole.
// Its envelope follows every change. An append that cannot allocate throws
// std::bad_alloc and leaves the store's records as they were.
class CRecordStore final : public CRecordList {
public:
    CRecordStore() = default;
    // The moved-from store is empty.
    CRecordStore(CRecordStore&& other) noexcept { *this = std::move(other); }
    CRecordStore& operator=(CRecordStore&& other) noexcept;

    std::size_t GetSize() const override { return m_view.Count(); }
    CObjData GetAt(std::size_t i) const override { return m_view.At(i); }
    double LevelAt(std::size_t i) const override { return m_view.LevelAt(i); }
    SRecordKind KindAt(std::size_t i) const override { return m_view.KindAt(i); }
    const sonivel::CEnvelopePyramid* Envelope() const override { return &m_envelope; }
    CRecordSnapshot Snapshot() const override;
    const void* RecordKey(std::size_t i) const override { return &m_view.Packed(i); }

    void Add(const CObjData& record);
    // The same from the record's fields, without a CObjData (a file read).
    void Add(double level, std::string_view time, std::string_view unit, int group, double rate, int milli = 0);
    // Deletes every record.
    void RemoveAll();
    // Replaces the whole contents with those of records (a file read, for
    // example), which is left empty.
    void Replace(CRecordStore&& records);

private:
    std::uint32_t KindCode(std::string_view unit, int group, double rate);
    std::int64_t TimeCode(std::string_view text);

    std::vector<std::unique_ptr<SPackedRecord[]>> m_records;
    std::vector<std::unique_ptr<std::string[]>> m_texts;
    // The codes of the kinds, by unit, group and the bits of the interval.
    std::map<std::tuple<std::string, int, std::uint64_t>, std::uint32_t> m_kindCodes;
    std::uint32_t m_lastKind = 0;
    CRecordView m_view;
    sonivel::CEnvelopePyramid m_envelope;
};

// Records of another list chosen by index (the data-logger window's selected
// group), with its own envelope built as it is filled. Holds no ownership;
// every index refers to the same list, which must outlive the selection.
class CRecordSelection final : public CRecordList {
public:
    std::size_t GetSize() const override { return m_indexes.size(); }
    CObjData GetAt(std::size_t i) const override { return m_source->GetAt(m_indexes[i]); }
    double LevelAt(std::size_t i) const override { return m_source->LevelAt(m_indexes[i]); }
    SRecordKind KindAt(std::size_t i) const override { return m_source->KindAt(m_indexes[i]); }
    const sonivel::CEnvelopePyramid* Envelope() const override { return &m_envelope; }
    CRecordSnapshot Snapshot() const override;
    const void* RecordKey(std::size_t i) const override { return m_source->RecordKey(m_indexes[i]); }
    // Adds record i of source (the same source at every call until RemoveAll).
    void Add(const CRecordList& source, std::size_t i);
    void RemoveAll();

private:
    const CRecordList* m_source = nullptr;
    std::vector<std::size_t> m_indexes;
    sonivel::CEnvelopePyramid m_envelope;
};

// The records of a list at the moment it was taken (see Snapshot): a view of
// a store, and the indexes of a selection's records in it (all records when
// the snapshot is of the store itself). No envelope. Besides the list, it
// reads records field by field as they are kept, for the writers that visit
// every record: no CObjData made, time texts made by a CTimeTexts.
class CRecordSnapshot final : public CRecordList {
public:
    CRecordSnapshot(CRecordView view, std::vector<std::size_t> indexes, bool all)
        : m_view(std::move(view)), m_indexes(std::move(indexes)), m_bAll(all) {}
    std::size_t GetSize() const override { return m_bAll ? m_view.Count() : m_indexes.size(); }
    CObjData GetAt(std::size_t i) const override { return m_view.At(Index(i)); }
    double LevelAt(std::size_t i) const override { return m_view.LevelAt(Index(i)); }
    SRecordKind KindAt(std::size_t i) const override { return m_view.KindAt(Index(i)); }
    CRecordSnapshot Snapshot() const override { return *this; }
    // Record i field by field: its kind (valid as long as the snapshot), its
    // time text (see CRecordView::TimeTextAt) and its milliseconds.
    const SRecordKind& KindOf(std::size_t i) const { return m_view.KindAt(Index(i)); }
    std::string_view TimeTextAt(std::size_t i, sonivel::CTimeTexts& texts) const
    {
        return m_view.TimeTextAt(Index(i), texts);
    }
    int MilliAt(std::size_t i) const { return static_cast<int>(m_view.Packed(Index(i)).milli); }
    const void* RecordKey(std::size_t i) const override { return &m_view.Packed(Index(i)); }

private:
    friend class CRecordSelection;
    std::size_t Index(std::size_t i) const { return m_bAll ? i : m_indexes[i]; }

    CRecordView m_view;
    std::vector<std::size_t> m_indexes;
    bool m_bAll;
};

// Long file work on a worker thread: what a cancel, a failure, the end of the
// runner and appends meanwhile leave on disk. Runs under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <future>
#include <set>

#include <sys/resource.h>

#include "TempDir.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "files/JobRunner.h"
#include "files/RecordLines.h"

using namespace sonivel;

namespace {

const char kOld[] = "the earlier contents\r\n";

void AddRecords(CRecordStore& store, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        store.Add(CObjData(40.0 + static_cast<double>(i % 600) / 10, "05-12-2011,14:03:07", "dBA",
                                             0, 0.1));
}

std::set<std::string> FolderNames(const CTempDir& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root()))
        names.insert(entry.path().filename().string());
    return names;
}

// The three writers as the window's commands call them.
using Writer = std::function<SFileResult(const std::string&, const CRecordList&, IJobProgress&)>;
struct SWriter {
    const char* name;
    Writer write;
    std::function<std::string(const CRecordList&)> expected;   // the whole file
};
const SStatBlock kBlock {};
const SWriter kWriters[] = {
    {"data file", [](auto& p, auto& r, auto& g) { return WriteDataFile(p, r, g); },
     [](const CRecordList& r) { return FormatDataFile(r); }},
    {"export", [](auto& p, auto& r, auto& g) { return WriteExport(p, r, kBlock, EExportSource::MainView, g); },
     [](const CRecordList& r) { return FormatExport(r, kBlock, EExportSource::MainView); }},
    {"csv", [](auto& p, auto& r, auto& g) { return WriteCsv(p, r, g); },
     [](const CRecordList& r) {
         std::string all(CsvHeader());
         for (std::size_t i = 0; i < r.GetSize(); ++i)
             AppendCsvRow(all, r.GetAt(i));
         return all;
     }},
};

// The worker's progress as the job sees it, with a hook run on the worker
// at every step.
class CSteppedProgress final : public IJobProgress {
public:
    CSteppedProgress(IJobProgress& inner, std::function<void(std::size_t done, std::size_t total)> onStep)
        : m_inner(inner), m_onStep(std::move(onStep)) {}
    void SetTotal(std::size_t total) override { m_inner.SetTotal(m_total = total); }
    void SetDone(std::size_t done) override
    {
        m_inner.SetDone(done);
        m_onStep(done, m_total);
    }
    bool Cancelled() const override { return m_inner.Cancelled(); }

private:
    IJobProgress& m_inner;
    std::function<void(std::size_t, std::size_t)> m_onStep;
    std::size_t m_total = 0;
};

} // namespace

TEST(FileJob, ACancelHalfwayKeepsTheOldFileAndLeavesNoTemporary)
{
    CRecordStore store;
    AddRecords(store, 40000);
    for (const SWriter& w : kWriters) {
        SCOPED_TRACE(w.name);
        CTempDir dir;
        const std::string path = dir.Path("old.txt");
        CTempDir::Write(path, kOld);
        const CRecordSnapshot copy = SnapshotRecords(store);
        CJobRunner runner;
        SFileResult result;
        std::size_t doneWhenCancelled = 0;
        ASSERT_TRUE(runner.Start([&](IJobProgress& progress) {
            CSteppedProgress halfway(progress, [&](std::size_t done, std::size_t total) {
                if (done < total && done >= total / 2 && !doneWhenCancelled) {
                    doneWhenCancelled = done;
                    runner.Cancel();
                }
            });
            result = w.write(path, copy, halfway);
        }));
        runner.Wait();
        EXPECT_GT(doneWhenCancelled, 0u);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(CTempDir::Read(path), kOld);
        EXPECT_EQ(FolderNames(dir), std::set<std::string>{"old.txt"});

        // Uncancelled, the same job writes the very bytes of the whole file.
        ASSERT_TRUE(runner.Start([&](IJobProgress& progress) { result = w.write(path, copy, progress); }));
        runner.Wait();
        EXPECT_TRUE(result.ok) << result.message;
        EXPECT_EQ(runner.Progress().Done(), store.GetSize());
        EXPECT_EQ(CTempDir::Read(path), w.expected(store));
    }
}

TEST(FileJob, AFullDiskOnTheWorkerNamesTheFileAndKeepsTheOldOne)
{
    // A file size limit makes writing fail the way a full disk does, also for root.
    CTempDir dir;
    const std::string path = dir.Path("old.txt");
    CTempDir::Write(path, kOld);
    CRecordStore store;
    AddRecords(store, 5000);

    struct rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16384;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SFileResult result;
    CJobRunner runner;
    ASSERT_TRUE(runner.Start([&](IJobProgress& progress) { result = WriteDataFile(path, store, progress); }));
    runner.Wait();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.cancelled);
    EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("File too large"), std::string::npos) << result.message;
    EXPECT_EQ(CTempDir::Read(path), kOld);
    EXPECT_EQ(FolderNames(dir), std::set<std::string>{"old.txt"});
}

TEST(FileJob, ANewJobOrTheRunnersEndStopsAndJoinsTheRunningOne)
{
    std::atomic<int> ended {0};
    std::promise<void> firstRuns, secondRuns;
    // Work that runs until it is cancelled, as a long write would.
    const auto untilCancelled = [&ended](std::promise<void>& running) {
        return [&ended, &running](IJobProgress& progress) {
            running.set_value();
            while (!progress.Cancelled())
                std::this_thread::yield();
            ++ended;
        };
    };
    {
        CJobRunner runner;
        ASSERT_TRUE(runner.Start(untilCancelled(firstRuns)));
        firstRuns.get_future().wait();
        EXPECT_TRUE(runner.Running());
        ASSERT_TRUE(runner.Start(untilCancelled(secondRuns)));
        EXPECT_EQ(ended.load(), 1);   // the first was stopped and joined before the second began
        secondRuns.get_future().wait();
        EXPECT_FALSE(runner.Progress().Cancelled());
    }
    EXPECT_EQ(ended.load(), 2);
}

TEST(FileJob, AppendsDuringASaveLeaveTheFileAsTheRecordsWereAtItsStart)
{
    CTempDir dir;
    const std::string path = dir.Path("run.txt");
    CRecordStore store;
    AddRecords(store, 20000);
    const std::string expected = FormatDataFile(store);

    // The save starts, then the run appends (new chunks come) while it
    // writes: ThreadSanitizer sees any read of what the appends change.
    const CRecordSnapshot copy = SnapshotRecords(store);
    std::promise<void> writing;
    CJobRunner runner;
    SFileResult result;
    ASSERT_TRUE(runner.Start([&](IJobProgress& progress) {
        bool first = true;
        CSteppedProgress stepped(progress, [&](std::size_t, std::size_t) {
            if (std::exchange(first, false))
                writing.set_value();
        });
        result = WriteDataFile(path, copy, stepped);
    }));
    writing.get_future().wait();
    AddRecords(store, 100000);
    runner.Wait();
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(CTempDir::Read(path), expected);
}

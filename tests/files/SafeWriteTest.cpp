#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Records.h"
#include "TempDir.h"
#include "files/DataFile.h"
#include "files/SafeWrite.h"

using namespace sonivel;

namespace {

const char kOld[] = "the earlier contents\r\n";

CRecordStore BigSeries()
{
    CRecordStore store;
    for (int i = 0; i < 1000; ++i)
        store.Add(CObjData(60.0 + i % 50, "05-12-2011,14:03:07", "dBA", 0, 1.0));
    return store;
}

// The folder holds exactly the given names (no temporary files left behind).
void ExpectFolderHolds(const CTempDir& dir, std::initializer_list<std::string> names)
{
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root()))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, std::set<std::string>(names));
}

void ExpectFailureNaming(const SFileResult& result, const std::string& path, const std::string& reason)
{
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
}

// Writes as an ordinary user: root is not stopped by permission bits, so as
// root the write runs in a child process that has become "nobody".
SFileResult WriteAsOrdinaryUser(const std::string& path, const CRecordList& records)
{
    if (::geteuid() != 0)
        return WriteDataFile(path, records);
    int channel[2];
    if (::pipe(channel) != 0)
        return {false, "pipe failed"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report = "setuid failed";
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            const SFileResult r = WriteDataFile(path, records);
            report = (r.ok ? "1" : "0") + r.message;
        }
        (void)!::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    if (report.empty() || (report[0] != '0' && report[0] != '1'))
        return {false, report};
    return {report[0] == '1', report.substr(1)};
}

} // namespace

TEST(SafeWrite, ReplacesAnExistingFileKeepingItsPermissionsAndNoTemporaries)
{
    CTempDir dir;
    const std::string path = dir.Path("data.txt");
    CTempDir::Write(path, kOld);
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteWholeFile(path, "new\r\n").ok);
    EXPECT_EQ(CTempDir::Read(path), "new\r\n");
    struct stat st{};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ExpectFolderHolds(dir, {"data.txt"});
}

TEST(SafeWrite, ALinkIsWrittenThroughOnlyAtAPathTheUserChose)
{
    for (const EPathSource source : {EPathSource::Program, EPathSource::UserChosen}) {
        CTempDir dir;
        CTempDir::Write(dir.Path("real.txt"), kOld);
        ::symlink("real.txt", dir.Path("link.txt").c_str());
        const SFileResult result = WriteWholeFile(dir.Path("link.txt"), "new", source);
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.txt")));
        if (source == EPathSource::UserChosen) {
            EXPECT_TRUE(result.ok) << result.message;
            EXPECT_EQ(CTempDir::Read(dir.Path("real.txt")), "new");
        } else {
            ExpectFailureNaming(result, dir.Path("link.txt"), "symbolic link");
            EXPECT_EQ(CTempDir::Read(dir.Path("real.txt")), kOld);
        }
        ExpectFolderHolds(dir, {"real.txt", "link.txt"});
    }
}

TEST(SafeWrite, TemporariesACrashLeftAreRemovedButNotOnesInUse)
{
    CTempDir dir;
    const std::string path = dir.Path("data.txt");
    CTempDir::Write(dir.Path(".data.txt.sonivel-tmp-Crash1"), "half a fi");
    CTempDir::Write(dir.Path(".other.txt.sonivel-tmp-Crash2"), "another file's");
    // A temporary file another writer holds open (and locked) at this moment.
    const int busy = ::open(dir.Path(".data.txt.sonivel-tmp-InUse1").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    ASSERT_TRUE(WriteWholeFile(path, "new\r\n").ok);
    ::close(busy);
    ExpectFolderHolds(dir, {"data.txt", ".data.txt.sonivel-tmp-InUse1", ".other.txt.sonivel-tmp-Crash2"});
    EXPECT_EQ(CTempDir::Read(path), "new\r\n");
}

TEST(SafeWrite, MissingFolderOrAFileInThePathIsReported)
{
    CTempDir dir;
    ExpectFailureNaming(WriteDataFile(dir.Path("missing/run.txt"), BigSeries()), dir.Path("missing/run.txt"),
                        "No such file or directory");
    CTempDir::Write(dir.Path("plain"), kOld);
    ExpectFailureNaming(WriteWholeFile(dir.Path("plain/run.txt"), "x"), dir.Path("plain/run.txt"), "Not a directory");
    ExpectFolderHolds(dir, {"plain"});
    EXPECT_EQ(CTempDir::Read(dir.Path("plain")), kOld);
}

TEST(SafeWrite, AFolderAsTargetIsRefusedAndStays)
{
    CTempDir dir;
    std::filesystem::create_directory(dir.Path("sub"));
    CTempDir::Write(dir.Path("sub/inside"), kOld);
    ExpectFailureNaming(WriteDataFile(dir.Path("sub"), BigSeries()), dir.Path("sub"), "Is a directory");
    EXPECT_EQ(CTempDir::Read(dir.Path("sub/inside")), kOld);
    ExpectFolderHolds(dir, {"sub"});
}

TEST(SafeWrite, ReadOnlyFileAndReadOnlyFolderKeepTheOldFile)
{
    CTempDir dir;
    const std::string path = dir.Path("old.txt");
    CTempDir::Write(path, kOld);
    ::chmod(dir.Root().c_str(), 0777);
    ::chmod(path.c_str(), 0444);
    ExpectFailureNaming(WriteAsOrdinaryUser(path, BigSeries()), path, "Permission denied");
    EXPECT_EQ(CTempDir::Read(path), kOld);

    ::chmod(path.c_str(), 0666);
    ::chmod(dir.Root().c_str(), 0555);
    ExpectFailureNaming(WriteAsOrdinaryUser(path, BigSeries()), path, "Permission denied");
    ::chmod(dir.Root().c_str(), 0700);
    EXPECT_EQ(CTempDir::Read(path), kOld);
    ExpectFolderHolds(dir, {"old.txt"});
}

TEST(SafeWrite, AFullDiskKeepsTheOldFile)
{
    // A file size limit makes writing fail the way a full disk does, also for root.
    CTempDir dir;
    const std::string path = dir.Path("old.txt");
    CTempDir::Write(path, kOld);

    struct rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SFileResult result = WriteDataFile(path, BigSeries());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    ExpectFailureNaming(result, path, "File too large");
    EXPECT_EQ(CTempDir::Read(path), kOld);
    ExpectFolderHolds(dir, {"old.txt"});
}

TEST(SafeWrite, ADeviceIsWrittenInPlaceAndItsErrorsReported)
{
    ExpectFailureNaming(WriteWholeFile("/dev/full", "x"), "/dev/full", "No space left on device");
    EXPECT_TRUE(WriteWholeFile("/dev/null", "x").ok);
    struct stat st{};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A pipe nobody reads is an error at once, not a wait.
    CTempDir dir;
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0600), 0);
    ExpectFailureNaming(WriteWholeFile(dir.Path("pipe"), "x"), dir.Path("pipe"), "No such device or address");
}

TEST(SafeWrite, AnEmptySeriesCreatesNoFile)
{
    CTempDir dir;
    EXPECT_TRUE(WriteDataFile(dir.Path("empty.txt"), CRecordStore{}).ok);
    ExpectFolderHolds(dir, {});
}

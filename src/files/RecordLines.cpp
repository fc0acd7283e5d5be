#include "files/RecordLines.h"

namespace sonivel {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

} // namespace

CRecordSnapshot SnapshotRecords(const CRecordList& records)
{
    return records.Snapshot();
}

SFileResult WriteRecordLines(const std::string& path, std::string_view head, const CRecordList& records,
                             const RecordLineFn& line, IJobProgress& progress, EPathSource source)
{
    CRecordLines lines(records);
    const std::size_t n = lines.Count();
    progress.SetTotal(n);
    return WriteFileFrom(
        path,
        [&](const ContentWriter& write) -> SFileResult {
            std::string block(head);
            block.reserve(kBlockBytes + 256);
            for (std::size_t i = 0; i < n; ++i) {
                line(block, lines.At(i));
                if (block.size() < kBlockBytes)
                    continue;
                if (progress.Cancelled())
                    return FileCancelled();
                if (!write(block))
                    return {};   // the writer's own failure is reported
                block.clear();
                progress.SetDone(i + 1);
            }
            if (progress.Cancelled())
                return FileCancelled();
            if (!block.empty())
                write(block);
            progress.SetDone(n);
            return {};
        },
        source);
}

} // namespace sonivel

#include "files/ExportFromDataFile.h"

#include <optional>

#include "files/DataFile.h"
#include "files/ExcelExport.h"
#include "monitor/Statistics.h"

namespace sonivel {
namespace {

SFileResult ReadFailure(const SDataFileRead& read, const std::string& dataPath)
{
    if (read.status == SDataFileRead::EStatus::CannotOpen)
        return {false, read.message};
    return FileFailure("Cannot read", dataPath, read.message);
}

} // namespace

SFileResult WriteExportFromDataFile(const std::string& dataPath, const std::string& exportPath, double sampleRate,
                                    EPathSource pathSource)
{
    CRunningStats stats;
    std::optional<CObjData> first;
    std::size_t count = 0;
    SDataFileRead read = ScanDataFile(dataPath, [&](const CObjData& r) {
        ++count;
        if (!first)
            first = r;
        stats.Account(r, *first, count);
    });
    if (read.status != SDataFileRead::EStatus::Ok)
        return ReadFailure(read, dataPath);
    if (count == 0)
        return {};
    const SStatBlock block {stats.Stats(), stats.Sum(), sampleRate};
    return WriteFileFrom(
        exportPath,
        [&](const ContentWriter& write) {
            if (!write(FormatExportHead(block, EExportSource::MainView)))
                return SFileResult{};
            std::size_t id = 0;
            bool writing = true;
            // The file is the same as in the first pass: the run that wrote it has closed it.
            read = ScanDataFile(dataPath, [&](const CObjData& r) {
                writing = writing && write(FormatExportRow(++id, r));
            });
            return read.status == SDataFileRead::EStatus::Ok ? SFileResult{} : ReadFailure(read, dataPath);
        },
        pathSource);
}

} // namespace sonivel

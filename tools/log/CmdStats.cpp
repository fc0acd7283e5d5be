// sonivel-log stats: the noise figures of data text files, one JSON line per
// file and weighting. Each file is read record by record (ScanDataFile), so
// the memory held does not grow with the file.
#include <cstdio>

#include "Commands.h"
#include "LogSession.h"
#include "StatsJson.h"
#include "files/DataFile.h"

using namespace sonivel;

bool StatsLines(const std::string& path, bool hourly, std::vector<std::string>& lines, std::string& error)
{
    CFiguresByWeighting figures;
    if (!ScanDataFileNamed(path, [&](const CObjData& r) { figures.Add(r); }, error))
        return false;
    lines = FiguresJsonLines(path, figures, hourly);
    return true;
}

int RunStats(const SLogOptions& options)
{
    int status = EXIT_OK;
    for (const std::string& path : options.files) {
        std::vector<std::string> lines;
        std::string error;
        if (!StatsLines(path, options.hourly, lines, error))
            status = Fail(EXIT_FAILURE_IO, error);
        for (const std::string& line : lines)
            std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return status;
}

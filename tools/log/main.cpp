// sonivel-log: the headless logger.
#include <cstdio>

#include "Commands.h"
#include "LogSession.h"

int main(int argc, char** argv)
{
    SLogOptions options;
    std::string error;
    if (!ParseLogOptions(argc, argv, options, error))
        return Fail(EXIT_USAGE, error);
    if (options.version) {
        std::printf("sonivel-log %s\n", SONIVEL_VERSION);
        return EXIT_OK;
    }
    if (options.help) {
        std::fputs(kLogUsage, stdout);
        return EXIT_OK;
    }
    CLogSession::InstallSignalHandlers();
    if (options.command == "live")
        return RunLive(options);
    if (options.command == "record")
        return RunRecord(options);
    if (options.command == "download")
        return RunDownload(options);
    if (options.command == "stats")
        return RunStats(options);
    return RunPorts(options);
}

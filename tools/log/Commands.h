#pragma once
#include <string>
#include <vector>

#include "LogOptions.h"

// The commands of sonivel-log; each returns the exit status.
int RunLive(const SLogOptions& options);
int RunRecord(const SLogOptions& options);
int RunDownload(const SLogOptions& options);
int RunPorts(const SLogOptions& options);
int RunStats(const SLogOptions& options);
// The stats lines of one data text file (one per weighting, without line
// ends); false with error naming the file when it cannot be read.
bool StatsLines(const std::string& path, bool hourly, std::vector<std::string>& lines, std::string& error);

// Writes "sonivel-log: <message>" as one line on standard error; returns code.
int Fail(int code, const std::string& message);

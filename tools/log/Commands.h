#pragma once
#include <string>

#include "LogOptions.h"

// The commands of sonivel-log; each returns the exit status.
int RunLive(const SLogOptions& options);
int RunRecord(const SLogOptions& options);
int RunDownload(const SLogOptions& options);
int RunPorts(const SLogOptions& options);
int RunStats(const SLogOptions& options);

// Writes "sonivel-log: <message>" as one line on standard error; returns code.
int Fail(int code, const std::string& message);

#pragma once
// The command line of sonivel-report (parsed on the main thread before Qt
// starts): the data text files and the PDF file to write.
#include <string>
#include <vector>

extern const char* const kReportUsage;

struct SReportOptions {
    std::vector<std::string> files;
    std::string out;
    bool help = false;
    bool version = false;
};

// False with error set for a command line that cannot be run.
bool ParseReportOptions(int argc, char** argv, SReportOptions& options, std::string& error);

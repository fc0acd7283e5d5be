#include "ReportOptions.h"

#include "ArgParse.h"

const char* const kReportUsage =
    "Usage: sonivel-report FILE.txt... -o REPORT.pdf\n"
    "\n"
    "The noise report of data text files as a PDF document (A4), without a\n"
    "window: for each file and weighting a page with the time span, the chart\n"
    "of the levels with the LAeq as a line, the figures (LAeq, LAmax and LAmin\n"
    "with their times, LA5 ... LA95, SEL, the arithmetic average, count and\n"
    "duration), the day-evening-night levels and the hourly LAeq as bars and\n"
    "as a table (more pages when the table needs them).\n"
    "\n"
    "  -o, --output FILE   the PDF file to write (replaced whole, or left as it\n"
    "                      was when the report cannot be written)\n"
    "  --help              this text\n"
    "  --version           the version\n"
    "\n"
    "Options take their value as --opt VALUE or --opt=VALUE.\n"
    "\n"
    "Exit status: 0 success, 1 an input file cannot be read or the PDF file\n"
    "cannot be written (named on standard error; no report is written),\n"
    "2 usage error.\n";

bool ParseReportOptions(int argc, char** argv, SReportOptions& o, std::string& error)
{
    toolargs::CSplitArgs split(argc, argv);
    argc = split.Count();
    argv = split.Argv();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!toolargs::NextText(argc, argv, i, o.out))
                return error = arg + " needs a file name", false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return error = "unknown option " + arg + " (see --help)", false;
        } else {
            o.files.push_back(arg);
        }
    }
    if (o.help || o.version)
        return true;
    if (o.files.empty())
        return error = "no data text file given (see --help)", false;
    if (o.out.empty())
        return error = "no output file given: -o REPORT.pdf (see --help)", false;
    return true;
}

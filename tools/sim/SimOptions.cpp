#include "SimOptions.h"

#include <sstream>

#include "ArgParse.h"

const char* const kSimUsage =
    "Usage: sonivel-meter-sim [options]\n"
    "\n"
    "Simulates the sound level meter on a pseudo-terminal, so that Sonivel can be\n"
    "tried without a meter. The first line of the output is the device path to\n"
    "open (for example: SONIVEL_PORT=$(...) sonivel, or sonivel-log --port PATH).\n"
    "\n"
    "The meter streams live frames, obeys the six key bytes (0x77 FAST/SLOW,\n"
    "0x11 MAX/MIN, 0x88 range, 0x99 A/C, 0x55 REC, 0x33 HOLD) and answers the\n"
    "data-logger request 0x5A 0xAC with the recordings it holds.\n"
    "\n"
    "Options:\n"
    "  --link PATH           also make a symbolic link PATH to the device (a link\n"
    "                        already there is taken over: a second simulator with\n"
    "                        the same PATH plays the meter plugged in again)\n"
    "  --period MS           time between live frames (default 250)\n"
    "  --line-rate           stream frames back to back at the line rate (960 bytes/s)\n"
    "  --level DB            centre of the level's random walk (default 60)\n"
    "  --groups N[,N...]     recordings held in the data logger and their sample\n"
    "                        counts (default 3,2); --groups 0 for an empty logger\n"
    "  --fast-download       send the data-logger answer at once, not at 960 bytes/s\n"
    "  --no-answer           ignore the data-logger request\n"
    "  --silent-in-download  go silent halfway through the data-logger answer\n"
    "  --silent-after S      stop sending after S seconds (0: never send)\n"
    "  --hangup-after S      close the device after S seconds and exit\n"
    "  --garbage             send random bytes between frames\n"
    "  --ignore-keys N       lose the first N key bytes (the PC must repeat them)\n"
    "  --seed N              seed of the random level (default 1)\n"
    "  --verbose             report every received byte on stderr\n"
    "  --help                show this text\n"
    "  --version             show the version\n"
    "\n"
    "Options take their value as --opt VALUE or --opt=VALUE. The simulator runs\n"
    "until it is interrupted (Ctrl-C) or hangs up; its link goes with it unless\n"
    "another simulator has taken it over.\n";

namespace {

constexpr double kMaxValue = 1000000000;
// The answer's 16-bit length limits the logger to about 30000 samples.
constexpr long kMaxSamples = 30000;

bool ParseGroups(const std::string& text, std::vector<int>& groups)
{
    groups.clear();
    std::stringstream in(text);
    std::string item;
    long total = 0;
    while (std::getline(in, item, ',')) {
        double n = 0;
        if (!toolargs::ToNumber(item.c_str(), n) || !(n >= 0 && n <= kMaxSamples) || n != static_cast<int>(n))
            return false;
        total += static_cast<long>(n);
        if (n > 0)
            groups.push_back(static_cast<int>(n));
    }
    return total <= kMaxSamples && !text.empty();
}

} // namespace

bool ParseSimOptions(int argc, char** argv, SSimOptions& o, std::string& error)
{
    toolargs::CSplitArgs split(argc, argv);
    argc = split.Count();
    argv = split.Argv();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // Every number stays within what an int holds, so the casts below are safe.
        auto value = [&](double& out, double min) {
            if (!toolargs::NextNumber(argc, argv, i, out, min) || out > kMaxValue) {
                error = arg + " needs a number from " + std::to_string(static_cast<int>(min)) + " to " +
                        std::to_string(static_cast<int>(kMaxValue));
                return false;
            }
            return true;
        };
        double v = 0;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--link") {
            if (!toolargs::NextText(argc, argv, i, o.link)) {
                error = "--link needs a path";
                return false;
            }
        } else if (arg == "--period") {
            if (!value(v, 10))
                return false;
            o.periodMs = static_cast<int>(v);
        } else if (arg == "--line-rate") {
            o.lineRate = true;
        } else if (arg == "--level") {
            if (!value(v, 30))
                return false;
            o.level = v;
        } else if (arg == "--groups") {
            if (i + 1 >= argc || !ParseGroups(argv[i + 1], o.groups)) {
                error = "--groups needs sample counts such as 3,2 (0 for an empty logger, 30000 in all at most)";
                return false;
            }
            ++i;
        } else if (arg == "--fast-download") {
            o.fastDownload = true;
        } else if (arg == "--no-answer") {
            o.noAnswer = true;
        } else if (arg == "--silent-in-download") {
            o.silentInDownload = true;
        } else if (arg == "--silent-after") {
            if (!value(o.silentAfter, 0))
                return false;
        } else if (arg == "--hangup-after") {
            if (!value(o.hangupAfter, 0))
                return false;
        } else if (arg == "--garbage") {
            o.garbage = true;
        } else if (arg == "--ignore-keys") {
            if (!value(v, 0))
                return false;
            o.ignoreKeys = static_cast<int>(v);
        } else if (arg == "--seed") {
            if (!value(v, 0))
                return false;
            o.seed = static_cast<unsigned>(v);
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else {
            error = "unknown option " + arg + " (see --help)";
            return false;
        }
    }
    return true;
}

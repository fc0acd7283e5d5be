#pragma once
#include <string>
#include <vector>

// Command line of sonivel-meter-sim.
struct SSimOptions {
    std::string link;              // --link PATH: symlink to the device
    int periodMs = 250;            // --period MS: time between live frames
    bool lineRate = false;         // --line-rate: frames back to back at 960 bytes/s
    std::vector<int> groups {3, 2};// --groups 3,2 / --groups 0
    bool fastDownload = false;     // --fast-download: the answer in one go
    double silentAfter = -1;       // --silent-after S
    double hangupAfter = -1;       // --hangup-after S
    bool silentInDownload = false; // --silent-in-download
    bool noAnswer = false;         // --no-answer: ignore the data-logger request
    bool garbage = false;          // --garbage
    int ignoreKeys = 0;            // --ignore-keys N: the first N key bytes are lost
    double level = 60.0;           // --level DB: centre of the level's walk
    unsigned seed = 1;             // --seed N
    bool verbose = false;          // --verbose: report received bytes on stderr
    bool help = false;
    bool version = false;          // --version
};

// Parses argv; false with a message on a usage error.
bool ParseSimOptions(int argc, char** argv, SSimOptions& options, std::string& error);

extern const char* const kSimUsage;

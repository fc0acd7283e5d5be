#pragma once
#include <climits>
#include <string>
#include <vector>

#include "RunNames.h"

// Command line of sonivel-log.
struct SLogOptions {
    std::string command;       // live, record, download, ports
    std::string port;          // --port DEV
    long count = -1;           // live --count N (-1: until interrupted)
    double interval = 0;       // record --interval S
    long limit = INT_MAX;      // record --limit N (default: until stopped)
    std::string out;           // record --out FILE.txt
    std::string exportPath;    // record --export FILE.xls
    std::string outDir;        // download --out-dir DIR
    double timeout = 250;      // download --timeout S
    bool help = false;
    // Unattended use and conventions.
    bool version = false;      // --version
    bool reconnect = false;    // live/record --reconnect
    double every = 0;          // live --every S (0: a line per frame)
    bool progress = false;     // download --progress
    // Existing files and rotation (record; --force also for download).
    bool append = false;       // record --append
    bool force = false;        // --force
    ERotate rotate = ERotate::None;   // record --rotate hourly|daily
    // CSV files beside the data text files.
    std::string csvPath;       // record --csv FILE.csv
    bool csv = false;          // download --csv
    // stats FILE... [--hourly]; record --stats-json [--hourly]
    std::vector<std::string> files;
    bool hourly = false;
    bool statsJson = false;
    // Publishing to an MQTT broker (live and record).
    std::string mqttUrl;       // --mqtt URL (empty: no publishing)
    std::string topic;         // --topic PREFIX (default sonivel/<hostname>)
    std::string mqttUser;      // --mqtt-user NAME
    std::string mqttPasswordFile;   // --mqtt-password-file PATH
    std::string mqttCa;        // --mqtt-ca FILE
    double summaryEvery = 60;  // --summary-every S
    long mqttQueue = 100000;   // --mqtt-queue N
    bool haDiscovery = false;  // --ha-discovery
};

// Parses argv; false with a one-line message on a usage error.
bool ParseLogOptions(int argc, char** argv, SLogOptions& options, std::string& error);

extern const char* const kLogUsage;

#include "LogOptions.h"

#include "ArgParse.h"

const char* const kLogUsage =
    "Usage: sonivel-log COMMAND [options]\n"
    "\n"
    "Sonivel without a window: reads the sound level meter on its serial port.\n"
    "\n"
    "Commands:\n"
    "  live [--port DEV] [--count N] [--every S] [--reconnect]\n"
    "      Print the live reading as one JSON object per line, after every\n"
    "      decoded frame and every HOLD marker (with --every, the newest reading\n"
    "      once every S seconds), with the fields level, unit (\"dBA\"/\"dBC\"),\n"
    "      range (1 30-80, 2 50-100, 3 80-130, 4 30-130 auto, 0 not known yet),\n"
    "      fast, max, min, hold, over, under, rec, bar_held, digits_held,\n"
    "      meter_time (null while not known) and pc_time (the PC's local time of\n"
    "      the reading, 2026-12-08T11:01:19.512+01:00). Stops after N lines, at a\n"
    "      signal, or quietly when the program reading the lines has ended.\n"
    "  record [--port DEV] --interval S [--limit N] --out FILE.txt [--export FILE.xls]\n"
    "         [--csv FILE.csv] [--append | --force] [--rotate hourly|daily] [--reconnect]\n"
    "         [--stats-json [--hourly]]\n"
    "      A monitoring run: every S seconds (0.1 to 3600) the current level is\n"
    "      recorded with the PC's local time, until N records (at most\n"
    "      2147483647; default: no limit), a signal (Ctrl-C, SIGTERM, SIGHUP),\n"
    "      HOLD on the meter or the meter going silent. FILE.txt is the data\n"
    "      text file, written as the run goes (each record is on disk before the\n"
    "      next is taken); --export also writes the spreadsheet export with the\n"
    "      statistics, made from the data text file when the run ends. A run\n"
    "      that ends before its first record writes no file and says so.\n"
    "      An existing FILE.txt or FILE.xls is refused: --append continues the\n"
    "      data text file (recorded at the same interval) and replaces the\n"
    "      export, --force replaces both. The two must be different files.\n"
    "      The names may hold strftime fields, filled in with the local time of\n"
    "      the first record (%Y year, %m month, %d day, %H hour, %% a '%').\n"
    "      --rotate starts new files at every local hour or day whose names\n"
    "      differ (--out 'noise-%Y%m%d.txt' --rotate daily); each record is in\n"
    "      the file of its own time. --out - writes the data text to standard\n"
    "      output (the summary then goes to standard error; no --export,\n"
    "      --append or --rotate with it).\n"
    "      --csv FILE.csv also writes the records as CSV\n"
    "      (time,level_db,weighting,local_time; ISO 8601 local times to the\n"
    "      millisecond, with the UTC offset and without), as the run goes,\n"
    "      under the same rules as FILE.txt.\n"
    "      --stats-json ends standard output with the noise figures of the\n"
    "      records this run took: the JSON lines of stats (one per weighting;\n"
    "      --hourly as for stats), after the data text of --out - too. A run\n"
    "      without a record gives count 0. The file named is FILE.txt, or its\n"
    "      name pattern when the run went into several files.\n"
    "  download [--port DEV] --out-dir DIR [--timeout S] [--csv] [--force] [--progress]\n"
    "      Download the meter's data logger: one data text file per recording,\n"
    "      DIR/group-<n>.txt, and one summary line per group. Every group is\n"
    "      tried; each one that cannot be written (an existing file without\n"
    "      --force) is named on standard error. --csv also writes\n"
    "      DIR/group-<n>.csv beside each one.\n"
    "      The download gives up after S seconds (default 250) or when the meter\n"
    "      goes silent. The progress (a percentage, at most once a second) goes\n"
    "      to standard error when it is a terminal, or always with --progress.\n"
    "  stats [--hourly] FILE...\n"
    "      The noise figures of data text files: one JSON object per file and\n"
    "      weighting (\"A\" or \"C\") on its own line, with file, weighting, count,\n"
    "      start, end, duration_s, lmax, lmax_time, lmin, lmin_time, average\n"
    "      (the arithmetic mean), leq, sel and l5, l10, l50, l90, l95 (the levels\n"
    "      exceeded 5 ... 95 % of the time). Levels in dB rounded to 0.01, times\n"
    "      in local time with the UTC offset. --hourly adds hourly, a list of\n"
    "      {\"hour\", \"leq\", \"count\"} per clock hour, and lday (07-19),\n"
    "      levening (19-23), lnight (23-07) when the file has records in them and\n"
    "      lden when it has records in all three. A file that cannot be read is\n"
    "      named on standard error (exit status 1); the others are reported.\n"
    "  ports\n"
    "      List the serial ports (device, friendly name, description) and the\n"
    "      one the automatic search would choose.\n"
    "\n"
    "The port is --port DEV, else $SONIVEL_PORT, else the last Silicon Labs\n"
    "CP210x bridge found. sonivel-meter-sim simulates a meter for trying this out.\n"
    "\n"
    "With --reconnect, neither silence nor a hang-up ends live or record, nor\n"
    "does a meter that is not there yet at the start: the loss and the return of\n"
    "the link are reported with their times on standard error, the same port\n"
    "(or the automatic search) is opened again every second, and readings resume\n"
    "with the first fresh frame, into the same file. Nothing is recorded for the\n"
    "gap. A run then ends only at its limit, a signal or HOLD on the meter.\n"
    "\n"
    "Publishing to an MQTT broker (live and record):\n"
    "  --mqtt URL [--topic PREFIX] [--mqtt-user NAME --mqtt-password-file PATH]\n"
    "  [--mqtt-ca FILE] [--every S] [--summary-every S] [--mqtt-queue N] [--ha-discovery]\n"
    "      URL is mqtt://host[:port] (port 1883 by default) or mqtts://host[:port]\n"
    "      (TLS, 8883; --mqtt-ca names the CA certificate to trust, else the\n"
    "      system's). The password is the first line of PATH. PREFIX defaults to\n"
    "      sonivel/<hostname>; the topics, JSON payloads:\n"
    "        PREFIX/live     the newest live line (as live prints it) once every\n"
    "                        --every S seconds (default 1), QoS 0;\n"
    "        PREFIX/record   each record of a run, QoS 1: {\"time\":\"2026-12-08T\n"
    "                        11:01:19.512+01:00\",\"level_db\":63.50,\"weighting\":\"A\"};\n"
    "        PREFIX/summary  every --summary-every S seconds (default 60) the\n"
    "                        figures of those S seconds (of the records; with live\n"
    "                        of the live readings), one per weighting, QoS 1:\n"
    "                        time, period_s, weighting, count, leq, lmax, lmin,\n"
    "                        l10, l50, l90 (as stats computes them);\n"
    "        PREFIX/status   retained: {\"state\":\"online\",\"meter\":\"recording\",\n"
    "                        \"dropped\":0,\"time\":...} (meter: live, recording or\n"
    "                        waiting), and {\"state\":\"offline\"} when the program\n"
    "                        ends or disappears (the broker's last will).\n"
    "      The files never wait for the broker: while it is away the client\n"
    "      reconnects with back-off (1 to 10 s) and keeps the QoS 1 messages, up\n"
    "      to N (default 100000), which go in order once it is back; beyond N the\n"
    "      oldest are dropped, said on standard error and counted in the status.\n"
    "      At the end up to 10 s are given to what is still queued.\n"
    "      --ha-discovery adds Home Assistant's retained discovery configs (live\n"
    "      level, Leq of the summary period). A broker refusing the user or\n"
    "      password ends the command with exit status 5, naming the broker.\n"
    "\n"
    "Options take their value as --opt VALUE or --opt=VALUE. --version prints\n"
    "the version.\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be written, 2 usage error,\n"
    "3 the port cannot be found or opened, 4 the meter is silent or the download\n"
    "failed, 5 the MQTT broker refused the connection. Errors are reported in one line on standard error. Files are never\n"
    "written through a symbolic link.\n";

namespace {

constexpr double kMaxTimeoutSeconds = 2000000;
constexpr double kMinEverySeconds = 0.1;
constexpr double kMaxEverySeconds = 86400;

// The options of unattended use: false when argv[i] is none of them; error
// is set when it is one but its value is wrong.
bool ParseUnattendedOption(SLogOptions& o, int argc, char** argv, int& i, std::string& error)
{
    const std::string arg = argv[i];
    if (arg == "--version") {
        o.version = true;
    } else if (arg == "--reconnect" && (o.command == "live" || o.command == "record")) {
        o.reconnect = true;
    } else if (arg == "--every" && (o.command == "live" || o.command == "record")) {
        if (!toolargs::NextNumber(argc, argv, i, o.every, kMinEverySeconds) || o.every > kMaxEverySeconds)
            error = "--every needs a number of seconds from 0.1 to 86400";
    } else if (arg == "--progress" && o.command == "download") {
        o.progress = true;
    } else {
        return false;
    }
    return true;
}

// The sampling interval, in seconds (a timer period in whole milliseconds).
constexpr double kMinInterval = 0.1 - 1e-9;
constexpr double kMaxInterval = 3600;

// stats: its files and --hourly; false when arg is neither.
bool ParseStatsArgument(SLogOptions& o, const std::string& arg)
{
    if (o.command != "stats")
        return false;
    if (arg == "--hourly")
        o.hourly = true;
    else if (arg.empty() || arg[0] != '-')
        o.files.push_back(arg);
    else
        return false;
    return true;
}

// The MQTT options of live and record: false when argv[i] is none of them;
// error is set when it is one but its value is wrong.
bool ParseMqttOption(SLogOptions& o, int argc, char** argv, int& i, std::string& error)
{
    if (o.command != "live" && o.command != "record")
        return false;
    const std::string arg = argv[i];
    const auto text = [&](std::string& out) {
        if (!toolargs::NextText(argc, argv, i, out))
            error = arg + " needs a value";
    };
    double v = 0;
    if (arg == "--mqtt") {
        text(o.mqttUrl);
    } else if (arg == "--topic") {
        text(o.topic);
        if (error.empty() && (o.topic.empty() || o.topic.find_first_of("#+") != std::string::npos))
            error = "--topic needs a topic prefix without # or +";
    } else if (arg == "--mqtt-user") {
        text(o.mqttUser);
    } else if (arg == "--mqtt-password-file") {
        text(o.mqttPasswordFile);
    } else if (arg == "--mqtt-ca") {
        text(o.mqttCa);
    } else if (arg == "--summary-every") {
        if (!toolargs::NextNumber(argc, argv, i, o.summaryEvery, 1) || o.summaryEvery > kMaxEverySeconds)
            error = "--summary-every needs a number of seconds from 1 to 86400";
    } else if (arg == "--mqtt-queue") {
        if (!toolargs::NextNumber(argc, argv, i, v, 1, true) || v > 100000000)
            error = "--mqtt-queue needs a whole number from 1 to 100000000";
        o.mqttQueue = static_cast<long>(v);
    } else if (arg == "--ha-discovery") {
        o.haDiscovery = true;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseLogOptions(int argc, char** argv, SLogOptions& o, std::string& error)
{
    toolargs::CSplitArgs split(argc, argv);
    argc = split.Count();
    argv = split.Argv();
    int i = 1;
    if (i < argc && argv[i][0] != '-')
        o.command = argv[i++];
    bool haveInterval = false;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        auto text = [&](std::string& out) {
            if (!toolargs::NextText(argc, argv, i, out)) {
                error = arg + " needs a value";
                return false;
            }
            return true;
        };
        // A number of at least min (whole when asked).
        auto number = [&](double& out, double min, bool whole, const char* what) {
            if (!toolargs::NextNumber(argc, argv, i, out, min, whole)) {
                error = arg + " needs " + what;
                return false;
            }
            return true;
        };
        double v = 0;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (ParseUnattendedOption(o, argc, argv, i, error)) {
            if (!error.empty())
                return false;
        } else if (ParseMqttOption(o, argc, argv, i, error)) {
            if (!error.empty())
                return false;
        } else if (ParseStatsArgument(o, arg)) {
        } else if (arg == "--port") {
            if (!text(o.port))
                return false;
        } else if (arg == "--count" && o.command == "live") {
            if (!number(v, 1, true, "a whole number above 0"))
                return false;
            o.count = static_cast<long>(v);
        } else if (arg == "--interval" && o.command == "record") {
            if (!number(o.interval, 0, false, "a number of seconds"))
                return false;
            haveInterval = true;
        } else if (arg == "--limit" && o.command == "record") {
            if (!number(v, 1, true, "a whole number from 1 to 2147483647") || v > INT_MAX)
                return error = "--limit needs a whole number from 1 to 2147483647", false;
            o.limit = static_cast<long>(v);
        } else if (arg == "--out" && o.command == "record") {
            if (!text(o.out))
                return false;
        } else if (arg == "--export" && o.command == "record") {
            if (!text(o.exportPath))
                return false;
        } else if (arg == "--out-dir" && o.command == "download") {
            if (!text(o.outDir))
                return false;
        } else if (arg == "--timeout" && o.command == "download") {
            // The time-out is a timer period in whole milliseconds (an int).
            if (!number(o.timeout, 0.001, false, "a number of seconds above 0") || o.timeout > kMaxTimeoutSeconds)
                return error = "--timeout needs a number of seconds above 0 and at most 2000000", false;
        } else if (arg == "--append" && o.command == "record") {
            o.append = true;
        } else if (arg == "--force" && (o.command == "record" || o.command == "download")) {
            o.force = true;
        } else if (arg == "--csv" && o.command == "record") {   // CSV files
            if (!text(o.csvPath))
                return false;
        } else if (arg == "--csv" && o.command == "download") {
            o.csv = true;
        } else if ((arg == "--stats-json" || arg == "--hourly") && o.command == "record") {
            (arg == "--hourly" ? o.hourly : o.statsJson) = true;
        } else if (arg == "--rotate" && o.command == "record") {
            std::string how;
            if (!text(how))
                return false;
            if (how != "hourly" && how != "daily")
                return error = "--rotate needs hourly or daily", false;
            o.rotate = how == "hourly" ? ERotate::Hourly : ERotate::Daily;
        } else {
            error = "unknown option " + arg + (o.command.empty() ? "" : " for " + o.command) + " (see --help)";
            return false;
        }
    }
    if (o.help || o.version)
        return true;
    if (o.command.empty()) {
        error = "no command given: live, record, download, stats or ports (see --help)";
        return false;
    }
    const bool mqttOptions = !o.topic.empty() || !o.mqttUser.empty() || !o.mqttPasswordFile.empty() ||
                             !o.mqttCa.empty() || o.haDiscovery;
    if (o.mqttUrl.empty() && (mqttOptions || (o.command == "record" && o.every > 0)))
        return error = "the MQTT options go with --mqtt URL", false;
    if (o.mqttUser.empty() != o.mqttPasswordFile.empty())
        return error = "--mqtt-user and --mqtt-password-file go together", false;
    if (o.command == "record") {
        if (!haveInterval || o.interval < kMinInterval || o.interval > kMaxInterval) {
            error = "record needs --interval with a number of seconds from 0.1 to 3600";
            return false;
        }
        if (o.append && o.force) {
            error = "--append and --force exclude each other";
            return false;
        }
        if (o.out.empty()) {
            error = "record needs --out FILE.txt";
            return false;
        }
        // Standard output cannot be read back for the export, continued or rotated.
        if (o.out == "-" && (!o.exportPath.empty() || o.append || o.rotate != ERotate::None)) {
            error = "--out - takes no --export, --append or --rotate";
            return false;
        }
        if (o.out == "-" && o.csvPath == "-") {
            error = "--out - and --csv - name the same output";
            return false;
        }
        if (o.hourly && !o.statsJson)
            return error = "--hourly goes with --stats-json", false;
    } else if (o.command == "download") {
        if (o.outDir.empty()) {
            error = "download needs --out-dir DIR";
            return false;
        }
    } else if (o.command == "stats") {
        if (o.files.empty())
            return error = "stats needs at least one FILE", false;
    } else if (o.command != "live" && o.command != "ports") {
        error = "unknown command " + o.command + ": live, record, download, stats or ports (see --help)";
        return false;
    }
    return true;
}

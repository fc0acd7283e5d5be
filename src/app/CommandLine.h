#pragma once
#include <QString>
#include <QStringList>

// The program's command line:
//   sonivel [--port DEV] [FILE]   start; DEV is the meter's serial device (it
//                                 takes precedence over SONIVEL_PORT and the
//                                 automatic search), FILE a data text file
//                                 opened as File > Open would
//   sonivel --help | --version    print and end, without a window
// main() parses the raw arguments first, so --help and --version need no
// display, then once more the arguments the application object has left
// after taking its own (-platform, -style ...).
struct SCommandLine {
    enum class EAction { Start, ShowHelp, ShowVersion, Fail };
    EAction action = EAction::Start;
    QString output;     // the help or version text, or the error (with a hint)
    QString portPath;   // --port DEV; empty: SONIVEL_PORT or the automatic search
    QString dataFile;   // the file to open at start; empty: none
};

// arguments[0] is the program name. Pure apart from QCommandLineParser.
SCommandLine ParseCommandLine(const QStringList& arguments);

// The program's version, as --version prints it.
QString ProgramVersion();

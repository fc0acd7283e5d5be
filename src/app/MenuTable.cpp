#include "app/MenuTable.h"

const char* CommandPrompt(int id)
{
    switch (id) {
    case 32771: return "Run Real Time Monitoring";
    case 32772: return "Stop Real Time Monitoring";
    case 32773: return "Clean Real Time Data";
    case 32780: return "Run DataLogger";
    case 32785: return "Export Data";
    case 32786: return "Save Data";
    case 32788: return "Exit Application";
    case 32790: return "Open Data";
    case 32791: return "Setting Real Time Parameter";
    case 32796: return "Print Data";
    case 32799: return "Help";
    case 32802: return "Print Graph";
    case 32830: return "Export Data as CSV";
    case 32831: return "Write a PDF noise report of the data";
    case 32832: return "Show Noise Statistics";
    // The usual prompts of the window's own commands.
    case kIdAbout: return "Display program information, version number and copyright";
    case kIdToolBar: return "Show or hide the toolbar";
    case kIdStatusBar: return "Show or hide the status bar";
    default: return "";
    }
}

#pragma once
#include <array>

// Menu 128 of the main frame, in order. An entry without a pop-up text sits on
// the menu bar itself; id 0 is a separator.
struct SMenuEntry {
    const char* popup;
    const char* text;
    int id;
};

inline constexpr int kIdAbout = 57664;
inline constexpr int kIdToolBar = 59392;
inline constexpr int kIdStatusBar = 59393;

inline constexpr std::array<SMenuEntry, 22> kMainMenu{{
    {"File(&F)", "Open\tCtrl+O(&O)", 32790},
    {"File(&F)", "Save as \tCtrl+S(&S)", 32786},
    {"File(&F)", "Export To Excel(&E)", 32785},
    {"File(&F)", "Export CSV(&V)", 32830},
    {"File(&F)", "Report PDF(&R)", 32831},
    {"File(&F)", "Print Graph(&G)", 32802},
    {"File(&F)", "Print Data(&D)", 32796},
    {"File(&F)", nullptr, 0},
    {"File(&F)", "Exit(&X)", 32788},
    {"Real Time(&R)", "Run(&R)", 32771},
    {"Real Time(&R)", "Stop(&S)", 32772},
    {"Real Time(&R)", "Clear Data(C)", 32773},
    {"Real Time(&R)", "Setup(&U)", 32791},
    {"Real Time(&R)", "Noise Statistics(&N)", 32832},
    {nullptr, "DataLogger(&D)", 32780},
    {"Com Port(&C)", "Manual(&M)", 32815},
    {"Com Port(&C)", "Auto(&A)", 32816},
    {"View(&V)", "ToolBar(&T)", kIdToolBar},
    {"View(&V)", "StatusBar(&S)", kIdStatusBar},
    {"View(&V)", "Color Setting", 32817},
    {"Help(&H)", "Contents(&C)", 32799},
    {"Help(&H)", "About(&A)", kIdAbout},
}};

// Toolbar 128: command ids in order, 0 for a gap.
inline constexpr std::array<int, 9> kToolbarButtons{32790, 0, 32786, 32785, 32771, 32772, 0, 32802, kIdAbout};

// The status-bar prompt of a command (empty text for none).
const char* CommandPrompt(int id);

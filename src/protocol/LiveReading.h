#pragma once
#include <string>

// What the meter's display shows, as decoded from its live frames.
struct SLiveReading {
    double m_dLevel = 50.0;        // dB
    std::string m_strMeterTime;    // "dd-mm-yyyy,hh:mm:ss": PC date, meter clock time
    int m_nRange = 0;              // 1 30-80, 2 50-100, 3 80-130, 4 30-130 (AUTO); 0 not known yet
    bool m_bFast = false;          // FAST (true) or SLOW
    bool m_bRec = false;
    bool m_bWeightA = true;        // dBA (true) or dBC
    bool m_bMax = false;
    bool m_bMin = false;
    bool m_bHold = false;
    bool m_bUnder = false;
    bool m_bOver = false;
    bool m_bStopKeyFlag = false;
    bool m_bBarHeld = false;       // bar keeps its value, digits follow the level
    bool m_bDigitsHeld = false;    // digits keep their value, bar follows the level
    // Counts the updates from the meter: every decoded frame and every HOLD
    // marker. Only ever grows; the key repetition measures the meter's time
    // to answer a key in these.
    unsigned m_nUpdates = 0;
};

#include <cstdio>

#include "Commands.h"
#include "LiveJson.h"
#include "LogSession.h"

int RunLive(const SLogOptions& o)
{
    CLogSession s;
    std::string message;
    if (const int rc = s.Open(o.port, message); rc != EXIT_OK)
        return Fail(rc, message);
    long lines = 0;
    bool readerGone = false;
    ELiveEvent event = ELiveEvent::None;
    s.m_beforeChunk = [&](const std::uint8_t* d, std::size_t n) { event = PredictLiveEvent(s.m_rx, d, n); };
    s.m_afterChunk = [&](const std::uint8_t*, std::size_t) {
        if (event == ELiveEvent::None || (o.count >= 0 && lines >= o.count))
            return;
        std::printf("%s\n", LiveReadingJson(s.m_rx.m_live).c_str());
        if (std::fflush(stdout) != 0)
            readerGone = true;
        ++lines;
    };
    // A reader that has ended (live | head) ends the lines quietly.
    while (!CLogSession::s_bInterrupted && !readerGone && (o.count < 0 || lines < o.count)) {
        s.Pump(std::chrono::milliseconds(100));
        if (s.m_bLinkLost)
            return Fail(EXIT_SILENT, "the meter is silent: no bytes for 2 seconds");
    }
    return EXIT_OK;
}

#include <cstdio>

#include "Commands.h"
#include "LiveJson.h"
#include "LogMqtt.h"
#include "LogSession.h"
#include "PcTime.h"

int RunLive(const SLogOptions& o)
{
    std::string message;
    CLogMqtt mqtt;
    if (!o.mqttUrl.empty()) {
        if (const int rc = mqtt.Start(o, true, message); rc != EXIT_OK)
            return Fail(rc, message);
    }
    CLogSession s(o.reconnect);
    if (const int rc = s.Open(o.port, message); rc != EXIT_OK)
        return Fail(rc, message);
    long lines = 0;
    bool readerGone = false;
    auto print = [&](const std::string& line) {
        std::printf("%s\n", line.c_str());
        if (std::fflush(stdout) != 0)
            readerGone = true;
        ++lines;
    };
    // With --every the newest reading waits for its turn; a turn without a
    // new reading prints nothing.
    using Clock = std::chrono::steady_clock;
    const auto every = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.every));
    auto nextTurn = Clock::now() + every;
    std::string newest;
    ELiveEvent event = ELiveEvent::None;
    s.m_beforeChunk = [&](const std::uint8_t* d, std::size_t n) { event = PredictLiveEvent(s.m_rx, d, n); };
    s.m_afterChunk = [&](const std::uint8_t*, std::size_t) {
        if (event == ELiveEvent::None || (o.count >= 0 && lines >= o.count))
            return;
        newest = LiveReadingJson(s.m_rx.m_live, PcTimeNow());
        if (!o.mqttUrl.empty())
            mqtt.OnLive(s.m_rx.m_live, newest);
        if (o.every <= 0)
            print(newest);
    };
    // A reader that has ended (live | head) ends the lines quietly.
    while (!CLogSession::s_bInterrupted && !readerGone && (o.count < 0 || lines < o.count)) {
        s.Pump(std::chrono::milliseconds(o.every > 0 ? 20 : 100));
        if (s.m_bLinkLost)
            return Fail(EXIT_SILENT, "the meter is silent: no bytes for 2 seconds");
        if (!o.mqttUrl.empty() && !mqtt.Tick("live", s.m_rx.m_bLinkAlive, message))
            return Fail(EXIT_MQTT_REFUSED, message);
        if (o.every > 0 && Clock::now() >= nextTurn) {
            if (!newest.empty())
                print(newest);
            newest.clear();
            nextTurn += every;
            if (nextTurn <= Clock::now())   // fell behind: no burst of turns
                nextTurn = Clock::now() + every;
        }
    }
    mqtt.Finish();
    return EXIT_OK;
}

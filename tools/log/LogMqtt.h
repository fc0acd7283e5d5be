#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "LogOptions.h"
#include "acoustics/NoiseFigures.h"
#include "protocol/LiveReading.h"
#include "records/ObjData.h"

namespace sonivel {
class CMqttPublisher;
}

// What live and record publish to an MQTT broker with --mqtt (see the topics
// in mqtt/MqttPayloads.h), on the main loop's thread: the newest live reading
// once per --every seconds, each record, the summary of every --summary-every
// seconds (of the records, or with live of the live readings) and the
// station's status. Nothing here waits for the broker, apart from Start (a
// few seconds for its first answer) and Finish (the queue's last messages).
class CLogMqtt {
public:
    CLogMqtt();
    ~CLogMqtt();

    // Reads the password file, connects and waits up to 3 s for the broker's
    // answer. EXIT_OK (also when the broker cannot be reached yet: that is
    // said on standard error and the connection is tried again), or
    // EXIT_USAGE / EXIT_MQTT_REFUSED with message.
    int Start(const SLogOptions& o, bool summaryOfLive, std::string& message);

    void OnLive(const SLiveReading& reading, const std::string& json);
    void OnRecord(const CObjData& record);
    // One turn of the loop: the live turn, a summary when due, the status
    // (meter "recording"/"live", or "waiting" while the meter is silent) and
    // a report of dropped messages. False with message when the broker
    // refused the station (the run must end).
    bool Tick(const char* meterState, bool meterAlive, std::string& message);
    // While connected waits up to 10 s for the queue to be delivered, says on
    // standard error what was not, and disconnects.
    void Finish();

private:
    void PublishSummary();

    using Clock = std::chrono::steady_clock;
    std::unique_ptr<sonivel::CMqttPublisher> m_publisher;
    std::string m_prefix;
    std::string m_url;
    bool m_bSummaryOfLive = false;
    Clock::duration m_every{}, m_summaryEvery{};
    Clock::time_point m_nextLive, m_nextSummary, m_nextDropReport;
    double m_summaryPeriodS = 60;
    std::string m_newestLive;
    sonivel::CFiguresByWeighting m_window;
    std::string m_statusMeter;
    unsigned long long m_nReportedDrops = 0;
};

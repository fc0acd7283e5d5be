#pragma once
#include <string>
#include <vector>

#include "acoustics/NoiseFigures.h"
#include "records/ObjData.h"

namespace sonivel {

// The topics and JSON payloads a station publishes under its prefix P
// (sonivel-log --topic). Pure functions, any thread.
//   P/live     the live reading (the JSON line of sonivel-log live), QoS 0
//   P/record   each record of a run, QoS 1:
//              {"time":"2026-12-08T11:01:19.512+01:00","level_db":63.50,"weighting":"A"}
//   P/summary  the figures of the last period of S seconds, one message per
//              weighting seen in it, QoS 1: {"time" (the end of the period),
//              "period_s", "weighting", "count", "leq", "lmax", "lmin", "l10",
//              "l50", "l90"} (levels rounded to 0.01 dB)
//   P/status   retained, QoS 1: {"state":"online","meter":M,"dropped":N,"time":T}
//              while the station runs (M: "waiting", "live", "recording",
//              "stopped"; N: messages dropped from the full queue so far), and
//              {"state":"offline"} when it ends or disappears (the last will).
struct SMqttMessage {
    std::string topic;
    std::string payload;
    int qos = 1;
    bool retain = false;
};

enum class EMqttTopic { Live, Record, Summary, Status };
std::string MqttTopic(const std::string& prefix, EMqttTopic topic);

std::string RecordPayload(const CObjData& record);
// figures of the records of unit ("dBA", "dBC") in the period that ended at
// endTime (ISO 8601 text); count 0 gives null levels.
std::string SummaryPayload(const std::string& unit, const SNoiseFigures& figures, long long count, double periodS,
                           const std::string& endTime);
std::string StatusOnlinePayload(const std::string& meterState, unsigned long long dropped, const std::string& time);
std::string StatusOfflinePayload();

// Home Assistant's MQTT discovery: the retained configs under
// homeassistant/sensor/<node>/... that make the live level and the Leq of the
// summary period sensors of one device, available while P/status is online.
// node is the prefix with every character other than a letter, a digit, '_'
// or '-' made '_'.
std::vector<SMqttMessage> DiscoveryMessages(const std::string& prefix, double summaryPeriodS);

} // namespace sonivel

#include "mqtt/MqttPayloads.h"

#include <cctype>
#include <cmath>

#include "common/IsoTime.h"
#include "common/JsonText.h"
#include "common/Text.h"
#include "graph/TimeAxis.h"

namespace sonivel {

namespace {

std::string Level(double level)
{
    return std::isfinite(level) ? Format("%.2f", level) : "null";
}

std::string WeightingName(const std::string& unit)
{
    return unit == "dBC" ? "C" : unit == "dBA" ? "A" : unit;
}

std::string NodeId(const std::string& prefix)
{
    std::string node = prefix;
    for (char& c : node) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-')
            c = '_';
    }
    return node;
}

SMqttMessage SensorConfig(const std::string& prefix, const std::string& key, const std::string& name,
                          EMqttTopic state, const std::string& valueTemplate)
{
    const std::string node = NodeId(prefix);
    SMqttMessage m;
    m.topic = "homeassistant/sensor/" + node + "/" + key + "/config";
    m.retain = true;
    m.payload = Format(
        "{\"name\":%s,\"unique_id\":%s,\"state_topic\":%s,\"value_template\":%s,"
        "\"unit_of_measurement\":\"dB\",\"device_class\":\"sound_pressure\",\"state_class\":\"measurement\","
        "\"availability_topic\":%s,\"availability_template\":\"{{ value_json.state }}\","
        "\"device\":{\"identifiers\":[%s],\"name\":%s,\"model\":\"sound level meter\",\"manufacturer\":\"Sonivel\"}}",
        JsonString(name).c_str(), JsonString(node + "_" + key).c_str(),
        JsonString(MqttTopic(prefix, state)).c_str(), JsonString(valueTemplate).c_str(),
        JsonString(MqttTopic(prefix, EMqttTopic::Status)).c_str(), JsonString(node).c_str(),
        JsonString(prefix).c_str());
    return m;
}

} // namespace

std::string MqttTopic(const std::string& prefix, EMqttTopic topic)
{
    switch (topic) {
    case EMqttTopic::Live:
        return prefix + "/live";
    case EMqttTopic::Record:
        return prefix + "/record";
    case EMqttTopic::Summary:
        return prefix + "/summary";
    case EMqttTopic::Status:
        break;
    }
    return prefix + "/status";
}

std::string RecordPayload(const CObjData& r)
{
    const std::optional<std::time_t> t = ParseDateTime(r.m_strTime);
    const std::string time = t ? IsoLocalTimeText(*t, r.m_nMilli) : r.m_strTime;
    return Format("{\"time\":%s,\"level_db\":%s,\"weighting\":%s}", JsonString(time).c_str(),
                  Level(r.m_dValue).c_str(), JsonString(WeightingName(r.m_strUnit)).c_str());
}

std::string SummaryPayload(const std::string& unit, const SNoiseFigures& f, long long count, double periodS,
                           const std::string& endTime)
{
    const double none = NAN;
    const bool any = count > 0;
    return Format("{\"time\":%s,\"period_s\":%g,\"weighting\":%s,\"count\":%lld,\"leq\":%s,\"lmax\":%s,"
                  "\"lmin\":%s,\"l10\":%s,\"l50\":%s,\"l90\":%s}",
                  JsonString(endTime).c_str(), periodS, JsonString(WeightingName(unit)).c_str(), count,
                  Level(any ? f.leq : none).c_str(), Level(any ? f.lmax : none).c_str(),
                  Level(any ? f.lmin : none).c_str(), Level(any ? f.l10 : none).c_str(),
                  Level(any ? f.l50 : none).c_str(), Level(any ? f.l90 : none).c_str());
}

std::string StatusOnlinePayload(const std::string& meterState, unsigned long long dropped, const std::string& time)
{
    return Format("{\"state\":\"online\",\"meter\":%s,\"dropped\":%llu,\"time\":%s}", JsonString(meterState).c_str(),
                  dropped, JsonString(time).c_str());
}

std::string StatusOfflinePayload()
{
    return "{\"state\":\"offline\"}";
}

std::vector<SMqttMessage> DiscoveryMessages(const std::string& prefix, double summaryPeriodS)
{
    const std::string period = summaryPeriodS == 60 ? std::string("1 min") : Format("%g s", summaryPeriodS);
    return {SensorConfig(prefix, "level", "Sound level", EMqttTopic::Live, "{{ value_json.level }}"),
            SensorConfig(prefix, "leq", "Leq " + period, EMqttTopic::Summary, "{{ value_json.leq }}")};
}

} // namespace sonivel

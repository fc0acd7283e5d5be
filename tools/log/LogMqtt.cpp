#include "LogMqtt.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "Commands.h"
#include "LogSession.h"
#include "PcTime.h"
#include "common/Clock.h"
#include "monitor/MonitorRun.h"

#ifdef SONIVEL_HAVE_MQTT
#include "mqtt/MqttPublisher.h"
#else
namespace sonivel {
class CMqttPublisher {};
}
#endif

using namespace sonivel;

namespace {

#ifdef SONIVEL_HAVE_MQTT
constexpr auto kAnswerWait = std::chrono::seconds(3);
constexpr auto kDrainWait = std::chrono::seconds(10);

std::string HostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || !name[0])
        return "station";
    return name;
}

// The first line of the password file, without its line end.
bool ReadPassword(const std::string& path, std::string& password, std::string& message)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::getline(in, password)) {
        message = "cannot read the MQTT password file " + path;
        return false;
    }
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return true;
}

std::chrono::steady_clock::duration Seconds(double s)
{
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(s));
}
#endif

} // namespace

CLogMqtt::CLogMqtt() = default;
CLogMqtt::~CLogMqtt() = default;

int CLogMqtt::Start(const SLogOptions& o, bool summaryOfLive, std::string& message)
{
#ifndef SONIVEL_HAVE_MQTT
    (void)o;
    (void)summaryOfLive;
    message = "--mqtt: this sonivel-log was built without MQTT (libmosquitto was not found when it was built)";
    return EXIT_USAGE;
#else
    SMqttSettings settings;
    if (!ParseMqttUrl(o.mqttUrl, settings.url, message))
        return EXIT_USAGE;
    if (!o.mqttPasswordFile.empty() && !ReadPassword(o.mqttPasswordFile, settings.password, message))
        return EXIT_USAGE;
    m_url = settings.url.Text();
    m_prefix = o.topic.empty() ? "sonivel/" + HostName() : o.topic;
    settings.prefix = m_prefix;
    settings.clientId = "sonivel-log/" + m_prefix;
    settings.user = o.mqttUser;
    settings.caFile = o.mqttCa;
    settings.queueCapacity = static_cast<std::size_t>(o.mqttQueue);
    m_bSummaryOfLive = summaryOfLive;
    m_every = Seconds(o.every > 0 ? o.every : 1);
    m_summaryPeriodS = o.summaryEvery;
    m_summaryEvery = Seconds(o.summaryEvery);
    const auto now = Clock::now();
    m_nextLive = now + m_every;
    m_nextSummary = now + m_summaryEvery;
    m_nextDropReport = now;

    m_publisher = std::make_unique<CMqttPublisher>(settings);
    if (o.haDiscovery)
        m_publisher->SetRetainedAtConnect(DiscoveryMessages(m_prefix, o.summaryEvery));
    m_statusMeter = "waiting";
    m_publisher->SetStatus(StatusOnlinePayload(m_statusMeter, 0, PcTimeNow()));
    if (!m_publisher->Start(message)) {
        message = "--mqtt " + settings.url.Text() + ": " + message;
        return EXIT_USAGE;
    }
    switch (m_publisher->WaitForAnswer(kAnswerWait)) {
    case CMqttPublisher::ELink::Refused:
        message = m_publisher->Problem();
        return EXIT_MQTT_REFUSED;
    case CMqttPublisher::ELink::Connecting:
        std::fprintf(stderr, "sonivel-log: %s the MQTT broker %s does not answer yet; trying again in the background\n",
                     PcTimeNow().c_str(), settings.url.Text().c_str());
        break;
    case CMqttPublisher::ELink::Connected:
        break;
    }
    return EXIT_OK;
#endif
}

void CLogMqtt::OnLive(const SLiveReading& reading, const std::string& json)
{
    m_newestLive = json;
    if (m_bSummaryOfLive)
        m_window.Add(CObjData(reading.m_dLevel, RunTimeText(Now()), reading.m_bWeightA ? "dBA" : "dBC", 0, 0));
}

void CLogMqtt::OnRecord(const CObjData& record)
{
#ifdef SONIVEL_HAVE_MQTT
    m_publisher->Publish(MqttTopic(m_prefix, EMqttTopic::Record), RecordPayload(record));
    if (!m_bSummaryOfLive)
        m_window.Add(record);
#else
    (void)record;
#endif
}

void CLogMqtt::PublishSummary()
{
#ifdef SONIVEL_HAVE_MQTT
    const std::string end = PcTimeNow();
    for (const auto& [unit, figures] : m_window.Weightings()) {
        const long long count = figures.Count();
        m_publisher->Publish(MqttTopic(m_prefix, EMqttTopic::Summary),
                             SummaryPayload(unit, count ? figures.Figures() : SNoiseFigures{}, count, m_summaryPeriodS, end));
    }
    m_window = CFiguresByWeighting();
#endif
}

bool CLogMqtt::Tick(const char* meterState, bool meterAlive, std::string& message)
{
#ifdef SONIVEL_HAVE_MQTT
    if (m_publisher->Link() == CMqttPublisher::ELink::Refused) {
        message = m_publisher->Problem();
        return false;
    }
    const auto now = Clock::now();
    if (now >= m_nextLive) {
        if (!m_newestLive.empty())
            m_publisher->PublishLive(MqttTopic(m_prefix, EMqttTopic::Live), m_newestLive);
        m_newestLive.clear();
        m_nextLive = std::max(m_nextLive + m_every, now);
    }
    if (now >= m_nextSummary) {
        PublishSummary();
        m_nextSummary = std::max(m_nextSummary + m_summaryEvery, now);
    }
    const unsigned long long dropped = m_publisher->Dropped();
    const std::string meter = meterAlive ? meterState : "waiting";
    const bool moreDrops = dropped != m_nReportedDrops && now >= m_nextDropReport;
    if (moreDrops) {
        std::fprintf(stderr, "sonivel-log: %s the MQTT queue is full: %llu oldest messages dropped so far\n",
                     PcTimeNow().c_str(), dropped);
        m_nReportedDrops = dropped;
        m_nextDropReport = now + std::chrono::seconds(1);
    }
    if (moreDrops || meter != m_statusMeter) {
        m_statusMeter = meter;
        m_publisher->SetStatus(StatusOnlinePayload(m_statusMeter, m_nReportedDrops, PcTimeNow()));
    }
#else
    (void)meterState;
    (void)meterAlive;
    (void)message;
#endif
    return true;
}

void CLogMqtt::Finish()
{
#ifdef SONIVEL_HAVE_MQTT
    if (!m_publisher)
        return;
    if (m_publisher->Link() != CMqttPublisher::ELink::Refused) {
        if (!m_publisher->Drain(kDrainWait))
            std::fprintf(stderr, "sonivel-log: %s the MQTT broker %s %s: %zu messages not delivered\n",
                         PcTimeNow().c_str(), m_url.c_str(),
                         m_publisher->Link() == CMqttPublisher::ELink::Connected ? "took too long" : "is not reachable",
                         m_publisher->Pending());
    }
    m_publisher->Stop();
    m_publisher.reset();
#endif
}

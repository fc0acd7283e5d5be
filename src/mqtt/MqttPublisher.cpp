#include "mqtt/MqttPublisher.h"

#include <mosquitto.h>

namespace sonivel {

namespace {

constexpr int kKeepAliveSeconds = 30;

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

} // namespace

CMqttPublisher::CMqttPublisher(SMqttSettings settings)
    : m_settings(std::move(settings)), m_queue(m_settings.queueCapacity)
{
}

CMqttPublisher::~CMqttPublisher()
{
    Stop();
}

bool CMqttPublisher::Start(std::string& error)
{
    InitLibrary();
    // A kept session: the broker holds what it had not confirmed over a
    // reconnect, and libmosquitto sends again what it had not got confirmed.
    m_mosq = mosquitto_new(m_settings.clientId.c_str(), false, this);
    if (!m_mosq) {
        error = "cannot create the MQTT client";
        return false;
    }
    const auto fail = [&](const std::string& what, int rc) {
        error = what + ": " + mosquitto_strerror(rc);
        mosquitto_destroy(m_mosq);
        m_mosq = nullptr;
        return false;
    };
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_mosq, &CMqttPublisher::OnConnect);
    mosquitto_disconnect_callback_set(m_mosq, &CMqttPublisher::OnDisconnect);
    mosquitto_publish_callback_set(m_mosq, &CMqttPublisher::OnPublish);
    mosquitto_reconnect_delay_set(m_mosq, 1, 10, true);
    const std::string will = StatusOfflinePayload();
    const std::string statusTopic = MqttTopic(m_settings.prefix, EMqttTopic::Status);
    if (int rc = mosquitto_will_set(m_mosq, statusTopic.c_str(), static_cast<int>(will.size()), will.data(), 1, true))
        return fail("the last will on " + statusTopic, rc);
    if (!m_settings.user.empty()) {
        if (int rc = mosquitto_username_pw_set(m_mosq, m_settings.user.c_str(), m_settings.password.c_str()))
            return fail("the MQTT user name", rc);
    }
    if (m_settings.url.tls) {
        int rc = MOSQ_ERR_SUCCESS;
        if (m_settings.caFile.empty()) {
            mosquitto_int_option(m_mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
            rc = mosquitto_tls_set(m_mosq, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr);
        } else {
            rc = mosquitto_tls_set(m_mosq, m_settings.caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
        }
        if (rc)
            return fail("TLS with " + (m_settings.caFile.empty() ? std::string("the system's CAs") : m_settings.caFile), rc);
    }
    // An unreachable broker now is no failure: the network thread retries.
    const int rc = mosquitto_connect_async(m_mosq, m_settings.url.host.c_str(), m_settings.url.port, kKeepAliveSeconds);
    if (rc == MOSQ_ERR_INVAL)
        return fail("the broker " + m_settings.url.Text(), rc);
    if (int lrc = mosquitto_loop_start(m_mosq))
        return fail("the MQTT network thread", lrc);
    m_bStarted = true;
    return true;
}

void CMqttPublisher::Publish(std::string topic, std::string payload)
{
    std::lock_guard lock(m_mutex);
    m_queue.Push(SMqttMessage{std::move(topic), std::move(payload), 1, false});
    if (m_link == ELink::Connected)
        HandOver();
}

void CMqttPublisher::PublishLive(const std::string& topic, const std::string& payload)
{
    std::lock_guard lock(m_mutex);
    if (m_link == ELink::Connected)
        mosquitto_publish(m_mosq, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 0, false);
}

void CMqttPublisher::SetStatus(std::string payload)
{
    std::lock_guard lock(m_mutex);
    m_status = std::move(payload);
    if (m_link == ELink::Connected)
        SendStatus();
}

void CMqttPublisher::SetRetainedAtConnect(std::vector<SMqttMessage> messages)
{
    std::lock_guard lock(m_mutex);
    m_retained = std::move(messages);
}

CMqttPublisher::ELink CMqttPublisher::Link() const
{
    std::lock_guard lock(m_mutex);
    return m_link;
}

CMqttPublisher::ELink CMqttPublisher::WaitForAnswer(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_link != ELink::Connecting; });
    return m_link;
}

std::string CMqttPublisher::Problem() const
{
    std::lock_guard lock(m_mutex);
    return m_problem;
}

unsigned long long CMqttPublisher::Dropped() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.Dropped();
}

std::size_t CMqttPublisher::Pending() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.Size();
}

bool CMqttPublisher::Drain(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_queue.Size() == 0 || m_link != ELink::Connected; }) &&
           m_queue.Size() == 0;
}

void CMqttPublisher::Stop()
{
    if (!m_mosq)
        return;
    if (m_bStarted) {
        {
            std::lock_guard lock(m_mutex);
            if (m_link == ELink::Connected) {
                const std::string offline = StatusOfflinePayload();
                const std::string topic = MqttTopic(m_settings.prefix, EMqttTopic::Status);
                mosquitto_publish(m_mosq, nullptr, topic.c_str(), static_cast<int>(offline.size()), offline.data(), 1,
                                  true);
            }
        }
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
    }
    mosquitto_destroy(m_mosq);
    m_mosq = nullptr;
    m_bStarted = false;
}

void CMqttPublisher::HandOver()
{
    while (m_queue.Handed() < kWindow) {
        const SMqttMessage* m = m_queue.NextToHand();
        if (!m)
            return;
        int mid = 0;
        const int rc = mosquitto_publish(m_mosq, &mid, m->topic.c_str(), static_cast<int>(m->payload.size()),
                                         m->payload.data(), m->qos, m->retain);
        if (rc != MOSQ_ERR_SUCCESS)
            return;   // not connected after all: handed over at the next connect
        m_queue.Handed(mid);
    }
}

void CMqttPublisher::SendStatus()
{
    if (m_status.empty())
        return;
    const std::string topic = MqttTopic(m_settings.prefix, EMqttTopic::Status);
    mosquitto_publish(m_mosq, nullptr, topic.c_str(), static_cast<int>(m_status.size()), m_status.data(), 1, true);
}

void CMqttPublisher::OnConnect(mosquitto* mosq, void* obj, int rc)
{
    auto* self = static_cast<CMqttPublisher*>(obj);
    std::lock_guard lock(self->m_mutex);
    if (rc != 0) {
        // Refused for good (a wrong user name or password, not authorised, a
        // rejected client id): no more attempts.
        self->m_link = ELink::Refused;
        self->m_problem = "the MQTT broker " + self->m_settings.url.Text() + " refused the connection: " +
                          mosquitto_connack_string(rc);
        mosquitto_disconnect(mosq);
        self->m_changed.notify_all();
        return;
    }
    self->m_link = ELink::Connected;
    self->m_changed.notify_all();
    for (const SMqttMessage& m : self->m_retained)
        mosquitto_publish(mosq, nullptr, m.topic.c_str(), static_cast<int>(m.payload.size()), m.payload.data(), m.qos,
                          m.retain);
    self->SendStatus();
    self->HandOver();
}

void CMqttPublisher::OnDisconnect(mosquitto*, void* obj, int)
{
    auto* self = static_cast<CMqttPublisher*>(obj);
    std::lock_guard lock(self->m_mutex);
    if (self->m_link == ELink::Connected)
        self->m_link = ELink::Connecting;
    self->m_changed.notify_all();
}

void CMqttPublisher::OnPublish(mosquitto*, void* obj, int mid)
{
    auto* self = static_cast<CMqttPublisher*>(obj);
    std::lock_guard lock(self->m_mutex);
    self->m_queue.Acknowledged(mid);
    if (self->m_link == ELink::Connected)
        self->HandOver();
    self->m_changed.notify_all();
}

} // namespace sonivel

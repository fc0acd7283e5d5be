#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "mqtt/MqttQueue.h"
#include "mqtt/MqttUrl.h"

struct mosquitto;

namespace sonivel {

struct SMqttSettings {
    SMqttUrl url;
    std::string prefix;          // the station's topics: prefix/record, ...
    std::string clientId;        // kept across reconnects (the broker's session)
    std::string user, password;  // none when user is empty
    std::string caFile;          // TLS: the CA to trust; empty for the system's
    std::size_t queueCapacity = 100000;
};

// The connection of one station to its MQTT broker, through libmosquitto on
// its own network thread. Start() begins connecting and returns at once; the
// network thread connects, reconnects with back-off (1 s doubling to 10 s)
// and hands queued messages over. The broker keeps prefix/status: the
// station's online status (retained, sent again at every connect) and, as
// the last will, "offline" when the station disappears.
//
// QoS 1 messages (Publish) go through a bounded queue (see CMqttQueue) and
// leave it when the broker acknowledged them, in order. Publish and
// PublishLive never wait for the network: they take a mutex that the network
// thread holds only while it hands a few messages over. A broker refusing the
// station (a wrong user name or password, not authorised) stops the
// reconnecting: Link() is Refused and Problem() says why.
//
// Called from one owner thread; the callbacks of libmosquitto run on its
// thread and share the state under m_mutex. Destruction stops (see Stop).
class CMqttPublisher {
public:
    enum class ELink { Connecting, Connected, Refused };

    explicit CMqttPublisher(SMqttSettings settings);
    ~CMqttPublisher();
    CMqttPublisher(const CMqttPublisher&) = delete;
    CMqttPublisher& operator=(const CMqttPublisher&) = delete;

    // Sets up the client (will, credentials, TLS) and starts connecting.
    // False with a message when the library refuses the settings (a CA file
    // that cannot be read); nothing is then running.
    bool Start(std::string& error);
    // A QoS 1 message through the queue. Never blocks; when the queue is
    // full, drops and counts the oldest.
    void Publish(std::string topic, std::string payload);
    // A QoS 0 message, sent only while connected (a newer one follows soon).
    void PublishLive(const std::string& topic, const std::string& payload);
    // The retained status, now when connected and at every connect.
    void SetStatus(std::string payload);
    // Retained messages (discovery configs) sent at every connect.
    void SetRetainedAtConnect(std::vector<SMqttMessage> messages);

    ELink Link() const;
    // Waits until the first answer of the broker (connected or refused) or
    // timeout; the link then.
    ELink WaitForAnswer(std::chrono::milliseconds timeout);
    std::string Problem() const;
    unsigned long long Dropped() const;
    std::size_t Pending() const;
    // Waits while connected until the queue is empty or timeout passed
    // (returns at once when not connected); true when the queue is empty.
    bool Drain(std::chrono::milliseconds timeout);
    // Sends the retained "offline" status when connected, disconnects and
    // joins the network thread. Messages still queued are lost (Pending()
    // tells how many before). Idempotent.
    void Stop();

private:
    static constexpr std::size_t kWindow = 64;   // messages handed over but not acknowledged

    static void OnConnect(mosquitto*, void* self, int rc);
    static void OnDisconnect(mosquitto*, void* self, int rc);
    static void OnPublish(mosquitto*, void* self, int mid);
    void HandOver();   // with m_mutex held
    void SendStatus(); // with m_mutex held

    SMqttSettings m_settings;
    mosquitto* m_mosq = nullptr;
    bool m_bStarted = false;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    CMqttQueue m_queue;
    ELink m_link = ELink::Connecting;
    std::string m_problem;
    std::string m_status;
    std::vector<SMqttMessage> m_retained;
};

} // namespace sonivel

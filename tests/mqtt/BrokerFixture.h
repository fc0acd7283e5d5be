#pragma once
// A real Mosquitto broker on a free loopback port, started by the test with a
// generated configuration, and a libmosquitto subscriber that keeps what it
// receives. Tests skip (with the reason) where mosquitto is not installed.
#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mosquitto.h>
#include <mutex>
#include <netinet/in.h>
#include <pwd.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tools/SimProcess.h"

namespace mqtttest {

inline constexpr const char* kMosquitto = "/usr/sbin/mosquitto";
// How long a test waits for something: far beyond what it takes.
inline constexpr auto kEvent = std::chrono::seconds(40);

inline bool WaitUntil(const std::function<bool()>& pred, std::chrono::steady_clock::duration timeout = kEvent)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

inline bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

// The broker: Start() runs mosquitto on the configuration (its listener line
// added) and waits until it accepts connections; Stop() ends it (it saves its
// sessions in dir when the configuration asks for persistence).
class CBroker {
public:
    // config follows the listener line, so listener settings (TLS) apply to it.
    CBroker(std::filesystem::path dir, std::string config) : m_dir(std::move(dir)), m_port(FreePort())
    {
        // Run as ourselves: a broker started by root would otherwise become
        // the user mosquitto, who cannot read the test's folder.
        const passwd* me = ::getpwuid(::getuid());
        std::ofstream(m_dir / "mosquitto.conf") << "user " << (me ? me->pw_name : "root") << "\nlistener " << m_port
                                                << " 127.0.0.1\n" << config;
    }
    ~CBroker() { Stop(); }
    int Port() const { return m_port; }
    bool Start()
    {
        m_child = std::make_unique<CChild>(std::vector<std::string>{kMosquitto, "-c", m_dir / "mosquitto.conf"});
        return WaitUntil([this] { return Accepts(m_port); });
    }
    void Stop()
    {
        if (!m_child)
            return;
        m_child->Signal(SIGTERM);
        m_child->Wait();
        m_child.reset();
    }

private:
    std::filesystem::path m_dir;
    int m_port;
    std::unique_ptr<CChild> m_child;
};

struct SReceived {
    std::string topic, payload;
    bool retained = false;
};

// A subscriber to topic at QoS 1 with a kept session (clean_session false and
// a fixed id), so the broker queues what comes while it reconnects; it
// subscribes again at every connect.
class CSubscriber {
public:
    // With caFile over TLS, with user its password.
    CSubscriber(int port, std::string topic, const std::string& caFile = {}, const std::string& user = {},
                const std::string& password = {})
        : m_topic(std::move(topic))
    {
        mosquitto_lib_init();
        m_mosq = mosquitto_new("sonivel-test-subscriber", false, this);
        mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
        if (!caFile.empty())
            mosquitto_tls_set(m_mosq, caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
        if (!user.empty())
            mosquitto_username_pw_set(m_mosq, user.c_str(), password.c_str());
        mosquitto_connect_callback_set(m_mosq, [](mosquitto* m, void* self, int rc) {
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, static_cast<CSubscriber*>(self)->m_topic.c_str(), 1);
        });
        mosquitto_subscribe_callback_set(m_mosq, [](mosquitto*, void* self, int, int, const int*) {
            auto* s = static_cast<CSubscriber*>(self);
            std::lock_guard lock(s->m_mutex);
            ++s->m_subscribed;
        });
        mosquitto_message_callback_set(m_mosq, [](mosquitto*, void* self, const mosquitto_message* m) {
            auto* s = static_cast<CSubscriber*>(self);
            std::lock_guard lock(s->m_mutex);
            s->m_received.push_back(
                {m->topic, std::string(static_cast<const char*>(m->payload), static_cast<std::size_t>(m->payloadlen)),
                 m->retain});
        });
        mosquitto_reconnect_delay_set(m_mosq, 1, 1, false);
        mosquitto_connect_async(m_mosq, "127.0.0.1", port, 30);
        mosquitto_loop_start(m_mosq);
    }
    ~CSubscriber()
    {
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
        mosquitto_destroy(m_mosq);
    }
    bool WaitSubscribed()
    {
        return WaitUntil([this] {
            std::lock_guard lock(m_mutex);
            return m_subscribed > 0;
        });
    }
    std::vector<SReceived> Received(const std::string& topic) const
    {
        std::lock_guard lock(m_mutex);
        std::vector<SReceived> out;
        for (const SReceived& r : m_received)
            if (r.topic == topic)
                out.push_back(r);
        return out;
    }

private:
    std::string m_topic;
    mosquitto* m_mosq = nullptr;
    mutable std::mutex m_mutex;
    std::vector<SReceived> m_received;
    int m_subscribed = 0;
};

// A temporary folder of the test, removed at its end.
class BrokerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::access(kMosquitto, X_OK) != 0)
            GTEST_SKIP() << "mosquitto is not installed (scripts/install-deps.sh installs it)";
        char tmpl[] = "/tmp/sonivel-mqtt-XXXXXX";
        dir = ::mkdtemp(tmpl);
    }
    void TearDown() override
    {
        if (!dir.empty())
            std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;
};

} // namespace mqtttest

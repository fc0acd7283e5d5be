#pragma once
#include <string>

namespace sonivel {

// A broker's address as the user gives it: mqtt://host[:port] (plain TCP,
// port 1883 by default) or mqtts://host[:port] (TLS, 8883). The host is a
// name, an IPv4 address or an IPv6 address in brackets ([::1]:1883). Pure.
struct SMqttUrl {
    bool tls = false;
    std::string host;
    int port = 0;
    // The address again, with its port: "mqtt://127.0.0.1:1883".
    std::string Text() const;
};

// False with a one-line message naming what is wrong (the scheme, an empty
// host, a port that is not a number from 1 to 65535, a path); url is then
// left as it was.
bool ParseMqttUrl(const std::string& text, SMqttUrl& url, std::string& error);

} // namespace sonivel

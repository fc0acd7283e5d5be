#include "mqtt/MqttUrl.h"

#include <cctype>

namespace sonivel {

std::string SMqttUrl::Text() const
{
    const bool v6 = host.find(':') != std::string::npos;
    return std::string(tls ? "mqtts://" : "mqtt://") + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool ParseMqttUrl(const std::string& text, SMqttUrl& url, std::string& error)
{
    const auto fail = [&](const std::string& why) {
        error = "--mqtt " + text + ": " + why + " (mqtt://host[:port] or mqtts://host[:port])";
        return false;
    };
    SMqttUrl u;
    std::string rest;
    if (text.rfind("mqtt://", 0) == 0) {
        rest = text.substr(7);
    } else if (text.rfind("mqtts://", 0) == 0) {
        u.tls = true;
        rest = text.substr(8);
    } else {
        return fail("the address must begin with mqtt:// or mqtts://");
    }
    if (!rest.empty() && rest.back() == '/')
        rest.pop_back();
    if (rest.find('/') != std::string::npos)
        return fail("an address takes no path");
    if (rest.find('@') != std::string::npos)
        return fail("the user goes in --mqtt-user, the password in --mqtt-password-file");
    std::string port;
    if (!rest.empty() && rest[0] == '[') {   // [IPv6]
        const auto close = rest.find(']');
        if (close == std::string::npos)
            return fail("an IPv6 address needs its closing ]");
        u.host = rest.substr(1, close - 1);
        const std::string after = rest.substr(close + 1);
        if (!after.empty() && after[0] != ':')
            return fail("text after the IPv6 address");
        port = after.empty() ? "" : after.substr(1);
        if (!after.empty() && port.empty())
            return fail("the port is empty");
    } else {
        const auto colon = rest.find(':');
        u.host = rest.substr(0, colon);
        if (colon != std::string::npos) {
            port = rest.substr(colon + 1);
            if (port.empty())
                return fail("the port is empty");
        }
    }
    if (u.host.empty())
        return fail("no host");
    u.port = u.tls ? 8883 : 1883;
    if (!port.empty()) {
        long value = 0;
        for (const char c : port) {
            if (!std::isdigit(static_cast<unsigned char>(c)) || (value = value * 10 + (c - '0')) > 65535)
                return fail("the port must be a number from 1 to 65535");
        }
        if (value < 1)
            return fail("the port must be a number from 1 to 65535");
        u.port = static_cast<int>(value);
    }
    url = u;
    return true;
}

} // namespace sonivel

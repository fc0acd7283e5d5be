#include "serial/PortSelect.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "serial/PortEnum.h"

void FillInNames(std::vector<SSerInfo>& ports)
{
    for (SSerInfo& p : ports) {
        if (p.m_strFriendlyName.empty())
            p.m_strFriendlyName = p.m_strPortName;
        if (!p.m_strPortDesc.empty())
            continue;
        p.m_strPortDesc = p.m_strFriendlyName;
        const std::size_t open = p.m_strPortDesc.find(" (");
        const std::size_t close = p.m_strPortDesc.find(')');
        if (open != std::string::npos && open > 0 && close == p.m_strPortDesc.size() - 1)
            p.m_strPortDesc.resize(open);
    }
}

std::string SelectMeterPort(const std::vector<SSerInfo>& ports)
{
    std::string rest;
    for (const SSerInfo& p : ports) {
        if (p.m_bBridge && p.m_strFriendlyName.compare(0, kBridgeName.size(), kBridgeName) == 0)
            rest = p.m_strFriendlyName.substr(kBridgeName.size());
    }
    std::size_t begin = rest.find_first_not_of("() ");
    if (begin == std::string::npos)
        return {};
    std::size_t end = begin;
    auto nameChar = [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '-' || c == '.'; };
    while (end < rest.size() && nameChar(static_cast<unsigned char>(rest[end])))
        ++end;
    const std::string name = rest.substr(begin, end - begin);
    if (name.empty() || name == "." || name == "..")
        return {};
    return "/dev/" + name;
}

std::string FindMeterPort(const std::string& sysfsRoot)
{
    if (const char* env = std::getenv("SONIVEL_PORT"); env && *env)
        return env;
    std::vector<SSerInfo> ports;
    try {
        EnumerateSerialPorts(ports, sysfsRoot);
    } catch (const std::runtime_error&) {
        return {};
    }
    return SelectMeterPort(ports);
}

std::string OpenFailureMessage(const std::string& path, int error)
{
    std::string text = "Warning:Can't open " + path + "! ";
    switch (error) {
    case EACCES:
    case EPERM:
        text += "Permission denied: install the udev rule 70-sonivel-cp210x.rules (the Sonivel package "
                "brings it) and plug the meter in again, or add your user to the dialout group "
                "(sudo usermod -aG dialout $USER), then log out and log in again.";
        break;
    case EBUSY:
        text += "The port is in use by another program.";
        break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        text += "No such device: is the meter plugged in?";
        break;
    default:
        text += std::strerror(error);
        text += '.';
        break;
    }
    return text;
}

bool OpenComPort(CComPort& port, const std::string& path, CComPort::ReceiveCallback callback, std::string& message)
{
    port.Close();
    if (port.Open(path, std::move(callback))) {
        message.clear();
        return true;
    }
    message = OpenFailureMessage(path, port.LastError());
    return false;
}

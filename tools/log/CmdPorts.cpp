#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "Commands.h"
#include "LogSession.h"
#include "serial/PortEnum.h"
#include "serial/PortSelect.h"

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "sonivel-log: %s\n", message.c_str());
    return code;
}

int RunPorts(const SLogOptions&)
{
    std::vector<SSerInfo> ports;
    try {
        EnumerateSerialPorts(ports, DefaultSysfsRoot());
    } catch (const std::runtime_error& e) {
        return Fail(EXIT_NO_PORT, e.what());
    }
    // Names come from the devices themselves: printed only as printable text.
    for (const SSerInfo& p : ports)
        std::printf("%s\t%s\t%s\n", PrintableText(p.m_strDevicePath).c_str(),
                    PrintableText(p.m_strFriendlyName).c_str(), PrintableText(p.m_strPortDesc).c_str());
    if (ports.empty())
        std::printf("no serial ports found\n");
    const std::string chosen = SelectMeterPort(ports);
    std::printf("automatic search: %s\n",
                chosen.empty() ? "none (no Silicon Labs CP210x bridge)" : PrintableText(chosen).c_str());
    if (const char* env = std::getenv("SONIVEL_PORT"); env && *env)
        std::printf("SONIVEL_PORT=%s takes precedence\n", PrintableText(env).c_str());
    return EXIT_OK;
}

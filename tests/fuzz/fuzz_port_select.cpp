// Port naming and the automatic port search from arbitrary sysfs text. The
// input is lines, four per port: the tty name, then the idVendor, idProduct
// and product attributes of its USB device (an empty idVendor line: a port
// without USB). Checks that only a port whose vendor and product are the
// bridge's can be selected, that the selection stays a plain name under /dev,
// and that every name prints as printable text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "serial/PortEnum.h"
#include "serial/PortSelect.h"

namespace {

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.';
}

bool IsPrintable(const std::string& s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            return false;
    return true;
}

// Names, printing and selection over one list of described ports.
void Check(std::vector<SSerInfo> ports)
{
    FillInNames(ports);
    const SSerInfo* lastBridge = nullptr;
    for (const SSerInfo& p : ports) {
        if (p.m_bBridge)
            lastBridge = &p;
        for (const std::string* text : {&p.m_strDevicePath, &p.m_strFriendlyName, &p.m_strPortDesc})
            if (!IsPrintable(PrintableText(*text)))
                __builtin_trap();
    }

    const std::string chosen = SelectMeterPort(ports);
    if (chosen.empty())
        return;
    // Only a bridge by its numbers is chosen, whatever the product texts say.
    if (lastBridge == nullptr)
        __builtin_trap();
    // A plain device name under /dev: no way out of the folder.
    const std::string name = chosen.substr(0, 5) == "/dev/" ? chosen.substr(5) : std::string();
    if (name.empty() || name == "." || name == "..")
        __builtin_trap();
    for (const char c : name)
        if (!IsNameChar(c))
            __builtin_trap();
    // The last bridge names the device when its kernel name is a plain one.
    const std::string& own = lastBridge->m_strPortName;
    bool plain = !own.empty() && own != "." && own != "..";
    for (const char c : own)
        plain = plain && IsNameChar(c);
    if (plain && name != own)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines = Lines({reinterpret_cast<const char*>(data), size});
    std::vector<SSerInfo> ports;
    for (std::size_t i = 0; i + 4 <= lines.size(); i += 4) {
        SUsbInfo usb;
        usb.found = !lines[i + 1].empty();
        usb.vendor = lines[i + 1];
        usb.product = lines[i + 2];
        usb.productName = lines[i + 3];
        ports.push_back(DescribePort(lines[i], usb));
        if (ports.back().m_bBridge != (usb.found && IsCp210x(usb.vendor, usb.product)))
            __builtin_trap();
    }
    Check(ports);
    // The same ports with a real bridge among them, at a place the input
    // chooses: the ports after it must not steer the search away from it.
    SUsbInfo bridge;
    bridge.found = true;
    bridge.vendor = "10c4";
    bridge.product = "ea60";
    bridge.productName = "CP2102 USB to UART Bridge Controller";
    ports.insert(ports.begin() + static_cast<std::ptrdiff_t>(size % (ports.size() + 1)),
                 DescribePort("ttyUSB0", bridge));
    Check(ports);
    return 0;
}

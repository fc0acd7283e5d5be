#include "serial/PortEnum.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "common/Text.h"
#include "serial/PortSelect.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return {};
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

// Natural order: the text part, then the number at the end.
bool NaturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        std::size_t i = s.size();
        while (i > 0 && std::isdigit(static_cast<unsigned char>(s[i - 1])))
            --i;
        const std::string digits = s.substr(i);
        return std::make_pair(s.substr(0, i), digits.empty() ? -1L : std::strtol(digits.c_str(), nullptr, 10));
    };
    return split(a) < split(b);
}

// Walks up from the port's device to the USB device that carries idVendor.
SUsbInfo FindUsbDevice(const fs::path& device, const fs::path& sysfsRoot)
{
    std::error_code ec;
    fs::path dir = fs::canonical(device, ec);
    if (ec)
        return {};
    const fs::path root = fs::canonical(sysfsRoot, ec);
    for (int depth = 0; depth < 8 && !dir.empty() && dir != root && dir != dir.root_path(); ++depth) {
        if (fs::exists(dir / "idVendor", ec) && fs::exists(dir / "idProduct", ec)) {
            SUsbInfo usb;
            usb.found = true;
            usb.vendor = ReadAttribute(dir / "idVendor");
            usb.product = ReadAttribute(dir / "idProduct");
            usb.productName = ReadAttribute(dir / "product");
            return usb;
        }
        dir = dir.parent_path();
    }
    return {};
}

std::string ToLower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool IsCp210x(const std::string& vendor, const std::string& product)
{
    if (ToLower(vendor) != "10c4")
        return false;
    static const char* const kProducts[] = {"ea60", "ea61", "ea63", "ea70", "ea71", "ea7a", "ea7b"};
    const std::string p = ToLower(product);
    return std::any_of(std::begin(kProducts), std::end(kProducts), [&](const char* k) { return p == k; });
}

SSerInfo DescribePort(const std::string& name, const SUsbInfo& usb, const std::string& devRoot)
{
    SSerInfo info;
    info.m_strDevicePath = devRoot + "/" + name;
    info.m_strPortName = name;
    info.m_bUsbDevice = usb.found;
    info.m_bBridge = usb.found && IsCp210x(usb.vendor, usb.product);
    const std::string suffix = " (" + name + ")";
    if (info.m_bBridge) {
        info.m_strFriendlyName = std::string(kBridgeName) + suffix;
    } else if (usb.found) {
        info.m_strFriendlyName = (usb.productName.empty() ? "USB Serial Port" : usb.productName) + suffix;
        info.m_strPortDesc = usb.productName;
    } else {
        info.m_strFriendlyName = "Communications Port" + suffix;
    }
    return info;
}

std::string PrintableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\')
            out += c;
        else
            out += sonivel::Format("\\x%02x", byte);
    }
    return out;
}

std::string DefaultSysfsRoot()
{
    const char* env = std::getenv("SONIVEL_SYSFS_ROOT");
    return env && *env ? std::string(env) : std::string("/sys");
}

void EnumerateSerialPorts(std::vector<SSerInfo>& ports, const std::string& sysfsRoot, const std::string& devRoot)
{
    ports.clear();
    const fs::path classDir = fs::path(sysfsRoot) / "class" / "tty";
    std::error_code ec;
    fs::directory_iterator it(classDir, ec);
    if (ec)
        throw std::runtime_error(sonivel::Format("Could not read %s. (err=%lx)", classDir.c_str(),
                                                 static_cast<unsigned long>(ec.value())));
    std::vector<std::string> names;
    for (const auto& entry : it) {
        const fs::path device = entry.path() / "device";
        if (!fs::exists(device, ec))
            continue;
        // serial8250 reserves slots without hardware behind them: type 0.
        if (ReadAttribute(entry.path() / "type") == "0")
            continue;
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(), NaturalLess);

    for (const std::string& name : names)
        ports.push_back(DescribePort(name, FindUsbDevice(classDir / name / "device", sysfsRoot), devRoot));
    FillInNames(ports);
}

// Port selection rule, name fill-in, open failure text and sysfs enumeration.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "serial/PortEnum.h"
#include "serial/PortSelect.h"

namespace fs = std::filesystem;

namespace {

SSerInfo Port(std::string friendly, std::string desc = {})
{
    SSerInfo p;
    p.m_strFriendlyName = std::move(friendly);
    p.m_strPortDesc = std::move(desc);
    return p;
}

// A port that its USB vendor and product identify as the bridge.
SSerInfo Bridge(std::string friendly)
{
    SSerInfo p = Port(std::move(friendly));
    p.m_bBridge = true;
    return p;
}

const std::string kBridge(kBridgeName);

} // namespace

TEST(PortSelection, BridgeSuffixNamesTheDevice)
{
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (ttyUSB5)")}), "/dev/ttyUSB5");
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (ttyUSB12)")}), "/dev/ttyUSB12");
    // Two bridges: the last one listed wins; other ports do not count, not
    // even when their name reads like the bridge's.
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (ttyUSB4)"), Bridge(kBridge + " (ttyUSB7)"),
                               Port("USB Serial Port (ttyACM0)"), Port(kBridge + " (ttyS0)")}),
              "/dev/ttyUSB7");
    // Case-sensitive prefix.
    EXPECT_EQ(SelectMeterPort({Bridge("silicon labs cp210x usb to uart bridge (ttyUSB0)")}), "");
    // No suffix: nothing is selected, also when an earlier bridge had one.
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge)}), "");
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (ttyUSB1)"), Bridge(kBridge + " ()")}), "");
    EXPECT_EQ(SelectMeterPort({}), "");
    // Text after the name is ignored; a suffix cannot climb out of /dev.
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (ttyUSB3) extra")}), "/dev/ttyUSB3");
    EXPECT_EQ(SelectMeterPort({Bridge(kBridge + " (../etc/passwd)")}), "");
}

TEST(PortSelection, DescriptionFillIn)
{
    std::vector<SSerInfo> ports {Port("USB Serial Port (ttyUSB9)"), Port("Port (A) extra"),
                                 Port("(ttyS0)"), Port("Keep (x)", "given"), Port("")};
    ports[4].m_strPortName = "ttyS3";
    FillInNames(ports);
    EXPECT_EQ(ports[0].m_strPortDesc, "USB Serial Port");
    EXPECT_EQ(ports[1].m_strPortDesc, "Port (A) extra");   // first ")" is not the last character
    EXPECT_EQ(ports[2].m_strPortDesc, "(ttyS0)");          // " (" must come after the first character
    EXPECT_EQ(ports[3].m_strPortDesc, "given");
    EXPECT_EQ(ports[4].m_strFriendlyName, "ttyS3");
    EXPECT_EQ(ports[4].m_strPortDesc, "ttyS3");
}

TEST(PortSelection, OpenFailureMessages)
{
    EXPECT_EQ(OpenFailureMessage("/dev/ttyUSB0", EACCES).rfind("Warning:Can't open /dev/ttyUSB0! Permission denied", 0),
              0u);
    EXPECT_NE(OpenFailureMessage("/dev/ttyUSB0", EACCES).find("dialout"), std::string::npos);
    EXPECT_NE(OpenFailureMessage("/dev/ttyUSB0", EACCES).find("udev rule 70-sonivel-cp210x.rules"), std::string::npos);
    EXPECT_NE(OpenFailureMessage("/dev/ttyUSB0", EBUSY).find("in use"), std::string::npos);
    EXPECT_EQ(OpenFailureMessage("/dev/x", ENOENT).find('\n'), std::string::npos);

    CComPort port;
    std::string message;
    EXPECT_FALSE(OpenComPort(port, "/nonexistent/tty", nullptr, message));
    EXPECT_EQ(message, OpenFailureMessage("/nonexistent/tty", ENOENT));

    ::setenv("SONIVEL_PORT", "/dev/ttyMeter", 1);
    EXPECT_EQ(FindMeterPort("/nonexistent-sysfs"), "/dev/ttyMeter");
    ::unsetenv("SONIVEL_PORT");
    EXPECT_EQ(FindMeterPort("/nonexistent-sysfs"), "");   // enumeration failure: no port
}

namespace {

// A small sysfs tree: class/tty entries linking into devices/.
class CFakeSysfs {
public:
    CFakeSysfs() : m_root(fs::temp_directory_path() / ("sonivel-sysfs-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_root);
        fs::create_directories(m_root / "class" / "tty");
    }
    ~CFakeSysfs() { fs::remove_all(m_root); }

    // A USB serial port: devices/usb1/<usbdev>/<usbdev>:1.0/<name>.
    void AddUsb(const std::string& name, const std::string& usbdev, const std::string& vid, const std::string& pid,
                const std::string& product, const std::string& driver = {})
    {
        const fs::path usb = m_root / "devices" / "usb1" / usbdev;
        const fs::path port = usb / (usbdev + ":1.0") / name;
        fs::create_directories(port);
        Write(usb / "idVendor", vid);
        Write(usb / "idProduct", pid);
        if (!product.empty())
            Write(usb / "product", product);
        if (!driver.empty()) {
            fs::create_directories(m_root / "bus" / "drivers" / driver);
            fs::create_directory_symlink(m_root / "bus" / "drivers" / driver, port / "driver");
        }
        AddClassEntry(name, port);
    }
    void AddPlatform(const std::string& name, const std::string& type)
    {
        const fs::path dev = m_root / "devices" / "platform" / name;
        fs::create_directories(dev);
        AddClassEntry(name, dev);
        Write(m_root / "class" / "tty" / name / "type", type);
    }
    void AddVirtual(const std::string& name) { fs::create_directories(m_root / "class" / "tty" / name); }
    std::string Root() const { return m_root.string(); }

private:
    void AddClassEntry(const std::string& name, const fs::path& device)
    {
        const fs::path entry = m_root / "class" / "tty" / name;
        fs::create_directories(entry);
        fs::create_directory_symlink(fs::relative(device, entry), entry / "device");
    }
    static void Write(const fs::path& file, const std::string& text) { std::ofstream(file) << text << "\n"; }

    fs::path m_root;
};

} // namespace

TEST(PortEnumeration, FakeSysfsTreeGivesNamesInNaturalOrder)
{
    CFakeSysfs sys;
    sys.AddUsb("ttyUSB10", "1-3", "10c4", "ea60", "CP2102 USB to UART Bridge Controller");
    sys.AddUsb("ttyUSB2", "1-2", "10c4", "EA70", "");
    sys.AddUsb("ttyACM0", "1-1", "2341", "0043", "Arduino Uno");
    sys.AddUsb("ttyUSB3", "1-4", "0403", "6001", "", "ftdi_sio");
    sys.AddUsb("ttyUSB4", "1-5", "1234", "5678", "", "cp210x");   // the driver alone does not make the bridge
    // A device whose product text poses as the bridge naming another port,
    // and one whose product text holds terminal escape sequences.
    sys.AddUsb("ttyUSB11", "1-6", "1234", "5678", kBridge + " (ttyS0)");
    sys.AddUsb("ttyACM1", "1-7", "2341", "0043", "Uno\x1b]0;owned\x07\x1b[2J\\");
    sys.AddPlatform("ttyS0", "4");
    sys.AddPlatform("ttyS1", "0");   // no UART behind the slot
    sys.AddVirtual("tty1");          // no device: not a serial port

    std::vector<SSerInfo> ports {Port("stale")};
    EnumerateSerialPorts(ports, sys.Root());
    ASSERT_EQ(ports.size(), 8u);
    std::vector<std::string> names;
    for (const auto& p : ports)
        names.push_back(p.m_strPortName);
    EXPECT_EQ(names, (std::vector<std::string> {"ttyACM0", "ttyACM1", "ttyS0", "ttyUSB2", "ttyUSB3", "ttyUSB4",
                                                "ttyUSB10", "ttyUSB11"}));
    ports.erase(ports.begin() + 1);   // ttyACM1, shown below

    EXPECT_EQ(ports[0].m_strFriendlyName, "Arduino Uno (ttyACM0)");
    EXPECT_EQ(ports[0].m_strPortDesc, "Arduino Uno");
    EXPECT_TRUE(ports[0].m_bUsbDevice);
    EXPECT_EQ(ports[1].m_strFriendlyName, "Communications Port (ttyS0)");
    EXPECT_EQ(ports[1].m_strDevicePath, "/dev/ttyS0");
    EXPECT_FALSE(ports[1].m_bUsbDevice);
    EXPECT_EQ(ports[2].m_strFriendlyName, kBridge + " (ttyUSB2)");
    EXPECT_EQ(ports[2].m_strPortDesc, kBridge);
    EXPECT_EQ(ports[3].m_strFriendlyName, "USB Serial Port (ttyUSB3)");
    EXPECT_EQ(ports[4].m_strFriendlyName, "USB Serial Port (ttyUSB4)");
    EXPECT_FALSE(ports[4].m_bBridge);
    EXPECT_EQ(ports[5].m_strFriendlyName, kBridge + " (ttyUSB10)");
    EXPECT_TRUE(ports[5].m_bBridge);
    EXPECT_EQ(ports[6].m_strFriendlyName, kBridge + " (ttyS0) (ttyUSB11)");   // shown as it calls itself
    EXPECT_FALSE(ports[6].m_bBridge);

    // The last bridge in natural order wins; the impostor listed after it
    // does not steer the search.
    EXPECT_EQ(SelectMeterPort(ports), "/dev/ttyUSB10");
    EXPECT_EQ(FindMeterPort(sys.Root()), "/dev/ttyUSB10");

    // Printed, the escape sequences are shown, not obeyed.
    std::vector<SSerInfo> all;
    EnumerateSerialPorts(all, sys.Root());
    EXPECT_EQ(PrintableText(all[1].m_strFriendlyName), "Uno\\x1b]0;owned\\x07\\x1b[2J\\x5c (ttyACM1)");
    EXPECT_EQ(PrintableText(all[2].m_strFriendlyName), "Communications Port (ttyS0)");
}

TEST(PortEnumeration, MissingTreeRaisesItsErrorText)
{
    std::vector<SSerInfo> ports;
    try {
        EnumerateSerialPorts(ports, "/nonexistent-sysfs");
        FAIL() << "no error raised";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Could not read /nonexistent-sysfs/class/tty. (err=2)");
    }
    EXPECT_TRUE(IsCp210x("10C4", "EA60"));
    EXPECT_FALSE(IsCp210x("10c4", "8a2a"));
}

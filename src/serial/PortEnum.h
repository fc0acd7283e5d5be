#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "serial/SerInfo.h"

// Enumerates the serial ports of a Linux system from sysfs: every entry of
// <root>/class/tty that has a device behind it (8250 slots without a UART are
// left out), in natural name order (ttyUSB2 before ttyUSB10), each named by
// DescribePort(). Then FillInNames() runs. Devices are named <devRoot>/<port name>.
//
// Raises std::runtime_error "Could not read <dir>. (err=<errno in hex>)" when
// the tty class folder cannot be listed.
void EnumerateSerialPorts(std::vector<SSerInfo>& ports, const std::string& sysfsRoot,
                          const std::string& devRoot = "/dev");

// What sysfs tells of the USB device behind a port: its idVendor, idProduct
// and product attributes (first line, trailing blanks cut). The product text
// is whatever the device reports about itself.
struct SUsbInfo {
    bool found = false;
    std::string vendor, product, productName;
};

// One port, named as the bridge's Windows driver names it, with the kernel's
// port name in the parentheses instead of COMn:
//   CP210x bridge (USB vendor and product, see IsCp210x): m_bBridge set,
//       friendly "Silicon Labs CP210x USB to UART Bridge (ttyUSB0)", description empty
//   other USB ports: "<product> (ttyACM0)", or "USB Serial Port (ttyUSB1)" without a product
//   other ports:     "Communications Port (ttyS0)"
// Only the vendor and product numbers make a bridge: a product text that
// reads like the bridge's name does not.
SSerInfo DescribePort(const std::string& name, const SUsbInfo& usb, const std::string& devRoot = "/dev");

// The sysfs root: $SONIVEL_SYSFS_ROOT when set, otherwise /sys.
std::string DefaultSysfsRoot();

// Whether a USB vendor/product pair (hex text, any case) is a CP210x bridge:
// vendor 10c4 with one of the CP210x product numbers (ea60 and its kin).
bool IsCp210x(const std::string& vendor, const std::string& product);

// Text from a device (a USB product string) made safe for a terminal: bytes
// outside printable ASCII and the backslash become \xNN escapes, so escape
// sequences and control characters are shown, never obeyed.
std::string PrintableText(std::string_view text);

#pragma once
#include <string>
#include <vector>

#include "serial/SerInfo.h"

// Enumerates the serial ports of a Linux system from sysfs: every entry of
// <root>/class/tty that has a device behind it (8250 slots without a UART are
// left out), in natural name order (ttyUSB2 before ttyUSB10).
//
// Names follow what the bridge's Windows driver shows, with the kernel's port
// name in the parentheses instead of COMn:
//   CP210x bridge (USB vendor 10c4, or the cp210x driver):
//       friendly "Silicon Labs CP210x USB to UART Bridge (ttyUSB0)", description empty
//   other USB ports: "<product> (ttyACM0)", or "USB Serial Port (ttyUSB1)" without a product
//   other ports:     "Communications Port (ttyS0)"
// Then FillInNames() runs. Devices are named <devRoot>/<port name>.
//
// Raises std::runtime_error "Could not read <dir>. (err=<errno in hex>)" when
// the tty class folder cannot be listed.
void EnumerateSerialPorts(std::vector<SSerInfo>& ports, const std::string& sysfsRoot,
                          const std::string& devRoot = "/dev");

// The sysfs root: $SONIVEL_SYSFS_ROOT when set, otherwise /sys.
std::string DefaultSysfsRoot();

// Whether a USB vendor/product pair (lower-case hex text) is a CP210x bridge.
bool IsCp210x(const std::string& vendor, const std::string& product);

#pragma once
#include <string>
#include <string_view>

// One serial port of the system, as the enumeration finds it.
struct SSerInfo {
    std::string m_strDevicePath;    // what opens the device: /dev/ttyUSB0
    std::string m_strPortName;      // the kernel's name of the port: ttyUSB0
    std::string m_strFriendlyName;  // the name the driver shows, port in parentheses
    bool m_bUsbDevice = false;      // the port sits on USB (shown only)
    std::string m_strPortDesc;      // the device description
    bool m_bBridge = false;         // its USB vendor and product are the meter's bridge (CP210x)
};

// The friendly name that the meter's USB-to-UART bridge carries, in front of
// its port in parentheses; 38 characters.
inline constexpr std::string_view kBridgeName = "Silicon Labs CP210x USB to UART Bridge";
static_assert(kBridgeName.size() == 38);

#pragma once
#include <string>
#include <vector>

#include "serial/ComPort.h"
#include "serial/SerInfo.h"

// Completes the names of enumerated ports, in order: an empty friendly name
// becomes the port name; an empty description becomes the friendly name, cut
// in front of " (" when that occurs after the first character and the first
// ")" is the last character ("USB Serial Port (ttyUSB9)" gives "USB Serial
// Port"; "Port (A) extra" stays whole).
void FillInNames(std::vector<SSerInfo>& ports);

// The automatic selection rule. Of the ports that are the meter's bridge by
// their USB vendor and product (m_bBridge), the last whose friendly name
// begins with the 38 characters of kBridgeName (case-sensitive) wins; the
// rest of its name, stripped of blanks and parentheses at both ends, names
// the device:
// "Silicon Labs CP210x USB to UART Bridge (ttyUSB0)" selects /dev/ttyUSB0.
// The device is taken from the text up to the first character that cannot be
// part of a device name. Empty when no bridge is listed or the winning entry
// has no port suffix.
std::string SelectMeterPort(const std::vector<SSerInfo>& ports);

// The port the program uses: $SONIVEL_PORT when set, otherwise the selection
// rule over the enumerated ports; empty when there is none (an enumeration
// failure counts as no port).
std::string FindMeterPort(const std::string& sysfsRoot);

// The message shown when a port cannot be opened:
// "Warning:Can't open /dev/ttyUSB0! " followed by the reason and, for missing
// permission, both fixes (the udev rule, or the dialout group).
std::string OpenFailureMessage(const std::string& path, int error);

// Closes the port and opens path on it with the receive callback. On failure
// message gets OpenFailureMessage() and the result is false.
bool OpenComPort(CComPort& port, const std::string& path, CComPort::ReceiveCallback callback,
                 std::string& message);

#pragma once
// How the monitor is recognised in the system's table of serial devices: by its driver's
// device-object name, and the port number in the "COMn" name beside it.

#include <string_view>

namespace wd {

// True when the device-object name holds both "\Device" and "VCP", case-sensitively.
bool IsMonitorDeviceName(std::wstring_view name);

// The number after the first three characters of a port name ("COM7" gives 7), read as the C
// runtime's _wtoi reads: leading blanks, a sign, digits up to the first other character.
// Nothing to read gives 0; a number too large for an int saturates instead of overflowing.
int PortNumberFromPortName(std::wstring_view portName);

}  // namespace wd

#pragma once
// The monitor's port on Windows: found in the registry's table of serial devices by its
// driver's device-object name, opened at 115200 baud, 8 data bits, no parity, one stop bit.

#include <windows.h>

#include <memory>
#include <optional>

#include "device/byte_link.h"
#include "device/device_message.h"

namespace wd {

// The first value of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM whose name holds "\Device" and "VCP";
// its data ("COMn") gives the port number. False when the key cannot be read, when a value
// before the match cannot be read (a name over 100 characters or data over 100 bytes) or when
// nothing matches.
bool FindSerialPort(int& port);
// The same lookup in any key, so the rules can be exercised without touching the real table.
bool FindSerialPortIn(HKEY root, const wchar_t* subKey, int& port);

struct SerialPortOpen {
  std::unique_ptr<ByteLink> link;        // null on failure
  std::optional<DeviceMessage> message;  // what to show; failures of the line settings show none
  bool busy = false;                     // another program holds the port
};

// Looks the port up again (it may have gone since the caller's own lookup), then opens it.
SerialPortOpen OpenSerialPort();
// Opens \\.\COMn and configures it: timeouts, line settings, empty queues.
SerialPortOpen OpenSerialPortNumber(int port);

}  // namespace wd

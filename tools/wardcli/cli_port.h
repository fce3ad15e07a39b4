#pragma once
// Opening the monitor's port for wardcli: a device path on Linux, "COMn" (or nothing, to look
// the monitor up as the window program does) on Windows.

#include <memory>
#include <optional>
#include <string>

#include "device/byte_link.h"
#include "device/device_message.h"
#include "tools/wardcli/command_line.h"

namespace wd::cli {

#ifdef _WIN32
inline constexpr OptionSpec kPortOption{
    "--port", "COMn", "the monitor's port; without it, the monitor's USB port is looked up"};
#else
inline constexpr OptionSpec kPortOption{"--port", "DEVICE",
                                        "the monitor's serial port, such as /dev/ttyUSB0", true};
#endif

struct CliPort {
  std::unique_ptr<ByteLink> link;  // null on failure
  std::string error;               // the message for the user
  std::string name{};              // the port opened ("COM3", "/dev/ttyUSB0")
};

// The port for this program alone: one that another program holds is refused as busy.
CliPort OpenCliPort(const std::optional<std::string>& port, MessageLanguage language);

}  // namespace wd::cli

#pragma once
// Opening the monitor's port for wardcli: a device path on Linux, "COMn" (or nothing, to look
// the monitor up as the window program does) on Windows.

#include <memory>
#include <optional>
#include <string>

#include "device/byte_link.h"

namespace wd::cli {

struct CliPort {
  std::unique_ptr<ByteLink> link;  // null on failure
  std::string error;               // the message for the user
};

CliPort OpenCliPort(const std::optional<std::string>& port);

// The usage line's port argument on this platform.
extern const char* const kPortUsage;

}  // namespace wd::cli

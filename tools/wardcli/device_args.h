#pragma once
// The options download and clear share, and Ctrl+C turned into the download's stop request.

#include <filesystem>
#include <optional>
#include <string>

#include "device/device_channel.h"
#include "tools/wardcli/commands.h"

namespace wd::cli {

struct DeviceArgs {
  std::optional<std::string> port;
  bool monitoring = false;
  bool wardRound = false;
  std::optional<std::filesystem::path> out;  // download only
  ReceiveTiming timing;
  bool quiet = false;

  // Neither kind named means both.
  bool WantMonitoring() const { return monitoring || !wardRound; }
  bool WantWardRound() const { return wardRound || !monitoring; }
};

// False with the reason when an option is unknown or lacks its value.
bool ParseDeviceArgs(const Args& args, bool acceptOut, DeviceArgs& parsed, std::string& error);

// While it lives, Ctrl+C (and SIGTERM) only mark an interruption instead of ending the
// process, so a download can stop cleanly and keep what it received.
class InterruptWatch {
 public:
  InterruptWatch();
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;
  bool Interrupted() const;
};

}  // namespace wd::cli

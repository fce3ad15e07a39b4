#pragma once
// What download and clear share: the port, the kinds of record, the polling interval, and
// Ctrl+C turned into the download's stop request.

#include <optional>
#include <string>

#include "device/device_channel.h"
#include "tools/wardcli/command_line.h"

namespace wd::cli {

inline constexpr OptionSpec kPollOption{
    "--poll-ms", "MS", "look at the port's queue every MS milliseconds, 1 to 1000 (default 10)"};

struct DeviceArgs {
  std::optional<std::string> port;
  bool monitoring = false;
  bool wardRound = false;
  ReceiveTiming timing;

  // Neither kind named means both.
  bool WantMonitoring() const { return monitoring || !wardRound; }
  bool WantWardRound() const { return wardRound || !monitoring; }
};

// Reads --port, --monitoring, --ward-round and --poll-ms. False with the problem when a value
// is out of range.
bool ReadDeviceArgs(const ParsedArgs& args, DeviceArgs& parsed, std::string& problem);

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

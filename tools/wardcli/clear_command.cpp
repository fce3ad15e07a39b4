// wardcli clear: erases the monitor's monitoring store, ward-round store or both.

#include <cstdio>

#include "device/clear_device.h"
#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"

namespace wd::cli {

int RunClear(const Args& args) {
  DeviceArgs parsed;
  std::string error;
  if (!ParseDeviceArgs(args, false, parsed, error)) {
    std::fprintf(stderr, "wardcli: %s\nusage: wardcli clear %s [--monitoring] [--ward-round]\n",
                 error.c_str(), kPortUsage);
    return kExitUsage;
  }
  CliPort port = OpenCliPort(parsed.port);
  if (!port.link) {
    std::fprintf(stderr, "wardcli: %s\n", port.error.c_str());
    return kExitFailed;
  }
  SteadyClock clock;
  const ClearOutcome outcome =
      ClearDeviceData(*port.link, clock, {parsed.WantMonitoring(), parsed.WantWardRound()},
                      parsed.timing);
  for (DeviceMessage message : outcome.messages) {
    const std::string_view text = MessageText(message);
    std::FILE* stream = message == DeviceMessage::CommunicationError ? stderr : stdout;
    std::fprintf(stream, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  return outcome.Succeeded() ? kExitOk : kExitFailed;
}

}  // namespace wd::cli

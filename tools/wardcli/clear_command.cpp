// wardcli clear: erases the monitor's monitoring store, ward-round store or both.

#include <cctype>
#include <cstdio>
#include <string>

#include "device/clear_device.h"
#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"

namespace wd::cli {
namespace {

// Asks on the terminal; only "y" or "yes" erases.
bool Confirmed(const Invocation& invocation, const DeviceArgs& device) {
  const char* what = !device.WantWardRound() ? "the monitoring records"
                     : !device.WantMonitoring() ? "the ward-round records"
                                                : "the monitoring and the ward-round records";
  std::fprintf(invocation.io.err, "Erase %s on the monitor? This cannot be undone. [y/N] ", what);
  std::fflush(invocation.io.err);
  char line[64];
  if (!std::fgets(line, sizeof line, invocation.io.in)) return false;
  std::string answer;
  for (const char* c = line; *c; ++c) {
    if (!std::isspace(static_cast<unsigned char>(*c))) {
      answer.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(*c))));
    }
  }
  return answer == "y" || answer == "yes";
}

}  // namespace

int RunClear(const Invocation& invocation) {
  DeviceArgs device;
  std::string problem;
  if (!ReadDeviceArgs(invocation.args, device, problem)) return invocation.UsageError(problem);
  if (!invocation.args.Has("--yes")) {
    if (!IsTerminal(invocation.io.in)) {
      return invocation.UsageError(
          "clear erases records on the monitor: confirm with --yes (standard input is no "
          "terminal to ask on)");
    }
    if (!Confirmed(invocation, device)) {
      invocation.Note("nothing erased");
      return kExitFailed;
    }
  }
  CliPort port = OpenCliPort(device.port, invocation.language);
  if (!port.link) {
    invocation.Note(port.error);
    return kExitFailed;
  }
  SteadyClock clock;
  const ClearOutcome outcome =
      ClearDeviceData(*port.link, clock, {device.WantMonitoring(), device.WantWardRound()},
                      device.timing);
  for (DeviceMessage message : outcome.messages) {
    const std::string_view text = invocation.Text(message);
    if (message == DeviceMessage::CommunicationError) {
      invocation.Note(text);
    } else {
      std::fprintf(invocation.io.out, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
  }
  return outcome.Succeeded() ? kExitOk : kExitFailed;
}

}  // namespace wd::cli

// wardcli clear: erases the monitor's monitoring store, ward-round store or both; with
// --archive, first tells whether the monitor's records are in that archive.

#include <cstdio>
#include <string>

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "archive/erase_guard.h"
#include "archive/this_process.h"
#include "device/clear_device.h"
#include "device/count_request.h"
#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"

namespace wd::cli {
namespace {

std::string Question(const DeviceArgs& device) {
  const char* what = !device.WantWardRound()    ? "the monitoring records"
                     : !device.WantMonitoring() ? "the ward-round records"
                                                : "the monitoring and the ward-round records";
  return std::string("Erase ") + what + " on the monitor? This cannot be undone.";
}

int RefuseWithoutTerminal(const Invocation& invocation) {
  return invocation.UsageError(
      "clear erases records on the monitor: confirm with --yes (standard input is no terminal "
      "to ask on)");
}

int Erase(const Invocation& invocation, const DeviceArgs& device, ByteLink& link) {
  SteadyClock clock;
  const ClearOutcome outcome = ClearDeviceData(
      link, clock, {device.WantMonitoring(), device.WantWardRound()}, device.timing);
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

// Asks the monitor what it holds and looks for a complete download of that from this
// computer and port in the archive; the answer decides the question's default.
int ClearAgainstArchive(const Invocation& invocation, const DeviceArgs& device,
                        const std::string& archiveName) {
  std::vector<DownloadSummary> downloads;
  if (const FileResult listed = ListArchive(PathFromArg(archiveName), downloads); !listed) {
    invocation.Note("cannot read the archive " + archiveName + ": " + Describe(listed));
    return kExitUnreadable;
  }
  CliPort port = OpenCliPort(device.port, invocation.language);
  if (!port.link) {
    invocation.Note(port.error);
    return kExitFailed;
  }
  SteadyClock clock;
  const std::optional<DeviceTotals> totals = AskDeviceTotals(*port.link, clock, device.timing);
  if (!totals) {
    port.link->Close();
    invocation.Note(invocation.Text(DeviceMessage::CommunicationError));
    return kExitFailed;
  }
  const ArchiveCoverage coverage =
      CheckArchived(downloads, *totals, {device.WantMonitoring(), device.WantWardRound()},
                    {0, ComputerName(), port.name});
  std::string held = "the monitor holds " + std::to_string(totals->monitoring) +
                     " monitoring and " + std::to_string(totals->wardRound) + " ward-round records";
  if (coverage.archived && coverage.folders.empty()) {
    held += "; the stores to erase are empty";
  } else if (coverage.archived) {
    held += "; the records to erase are in the archive";
    for (const std::string& folder : coverage.folders) held += " " + archiveName + "/" + folder;
  } else {
    held += "; the records to erase are NOT in the archive " + archiveName +
            " (no complete download of them from this port)";
  }
  invocation.Note(held);
  if (!invocation.args.Has("--yes")) {
    if (!IsTerminal(invocation.io.in)) {
      port.link->Close();
      return RefuseWithoutTerminal(invocation);
    }
    if (!AskYesNo(invocation, Question(device), coverage.archived)) {
      port.link->Close();
      invocation.Note("nothing erased");
      return kExitFailed;
    }
  }
  return Erase(invocation, device, *port.link);
}

}  // namespace

int RunClear(const Invocation& invocation) {
  DeviceArgs device;
  std::string problem;
  if (!ReadDeviceArgs(invocation.args, device, problem)) return invocation.UsageError(problem);
  if (const std::optional<std::string> archive = invocation.args.Value("--archive")) {
    return ClearAgainstArchive(invocation, device, *archive);
  }
  if (!invocation.args.Has("--yes")) {
    if (!IsTerminal(invocation.io.in)) return RefuseWithoutTerminal(invocation);
    if (!AskYesNo(invocation, Question(device), false)) {
      invocation.Note("nothing erased");
      return kExitFailed;
    }
  }
  CliPort port = OpenCliPort(device.port, invocation.language);
  if (!port.link) {
    invocation.Note(port.error);
    return kExitFailed;
  }
  return Erase(invocation, device, *port.link);
}

}  // namespace wd::cli

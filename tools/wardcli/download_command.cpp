// wardcli download: the window program's download engine on a serial port, into files.

#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>

#include "archive/download_journal.h"
#include "data/data_files.h"
#include "data/patient_store.h"
#include "device/acquisition.h"
#include "device/download_listeners.h"
#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"
#include "tools/wardcli/download_files.h"
#include "tools/wardcli/download_progress.h"

namespace wd::cli {
namespace {

std::string_view CommandName(Command command) {
  switch (command) {
    case Command::Monitoring: return "monitoring";
    case Command::WardRound: return "ward-round";
    case Command::Count: return "count";
    case Command::Clear: return "erase";
  }
  return "?";
}

void ExplainFailure(const Invocation& invocation, const DownloadProgress& progress,
                    bool interrupted) {
  if (const auto message = progress.message()) {
    invocation.Note(invocation.Text(*message));
  } else if (interrupted) {
    invocation.Note("download stopped");
  } else if (const auto failure = progress.lastFailure()) {
    invocation.Note("download incomplete: " + std::to_string(failure->attempt) + " attempts at " +
                    std::string(CommandName(failure->command)) + " record " +
                    std::to_string(failure->index) +
                    " failed (last: " + std::string(Describe(failure->status)) + ")");
  } else {
    invocation.Note("download incomplete");
  }
}

// The closing line: per wanted kind, what the monitor held, what arrived and what was kept
// (a record in a minute its person already has is dropped).
std::string CountsLine(const DownloadState& state, const PatientStore& store) {
  const StoredCounts stored = CountStored(store);
  auto kind = [](const char* name, std::int32_t received, std::int32_t total, std::size_t kept) {
    return std::string(name) + " records: " + std::to_string(received) + " of " +
           std::to_string(total) + " received, " + std::to_string(kept) + " stored";
  };
  std::string line;
  if (state.wantMonitoring) {
    line = kind("monitoring", state.monitoringReceived, state.monitoringTotal, stored.monitoring);
  }
  if (state.wantWardRound) {
    line += (line.empty() ? "" : "; ") +
            kind("ward-round", state.wardRoundReceived, state.wardRoundTotal, stored.wardRound);
  }
  return line;
}

// Runs the engine on its own thread, as the window program does; this one turns Ctrl+C into
// the stop request. False when the thread could not be started.
bool RunEngine(AcquisitionJob& job, bool& interrupted) {
  InterruptWatch interrupt;
  job.state.threadRunning = true;
  std::thread worker;
  try {
    worker = std::thread([&job] {
      AcquisitionThread(job);
      job.state.threadRunning = false;
    });
  } catch (const std::system_error&) {
    job.state.threadRunning = false;
    return false;
  }
  while (job.state.threadRunning) {
    if (interrupt.Interrupted()) job.state.stopRequested = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  worker.join();
  interrupted = interrupt.Interrupted();
  return true;
}

// A failed download leaves the output folder as it was: what arrived goes to a new folder in
// it, so no complete file of an earlier download is replaced by a part.
void KeepPartial(const Invocation& invocation, const PatientStore& store,
                 const std::filesystem::path& out, const std::string& outName) {
  const StoredCounts stored = CountStored(store);
  if (stored.monitoring + stored.wardRound == 0) {
    invocation.Note("nothing received; " + outName + " is unchanged");
    return;
  }
  const std::optional<std::string> folder = MakePartialFolder(out, LocalTimeNow());
  if (!folder) {
    invocation.Note("cannot make a folder in " + outName + " for the records received");
    return;
  }
  const std::string where = outName + "/" + *folder;
  std::string error;
  if (!WriteDownloadFiles(store, out / *folder, error)) invocation.Note(where + "/" + error);
  invocation.Note(outName + " is unchanged; the records received are in " + where);
}

// A folder given on the command line, made when missing; false after telling why not.
bool UsableFolder(const Invocation& invocation, const std::string& name, const char* what) {
  std::error_code ec;
  std::filesystem::create_directories(PathFromArg(name), ec);
  if (ec || !std::filesystem::is_directory(PathFromArg(name), ec)) {
    invocation.Note("cannot use " + name + " as the " + what);
    return false;
  }
  return true;
}

}  // namespace

int RunDownload(const Invocation& invocation) {
  DeviceArgs device;
  std::string problem;
  if (!ReadDeviceArgs(invocation.args, device, problem)) return invocation.UsageError(problem);
  const std::optional<std::string> outName = invocation.args.Value("--out");
  const std::optional<std::string> archiveName = invocation.args.Value("--archive");
  if (!outName && !archiveName)
    return invocation.UsageError("give --out DIR, --archive DIR or both");
  if (outName && !UsableFolder(invocation, *outName, "output folder")) return kExitFailed;
  if (archiveName && !UsableFolder(invocation, *archiveName, "archive")) return kExitFailed;

  CliPort port = OpenCliPort(device.port, invocation.language);
  if (!port.link) {
    invocation.Note(port.error);
    return kExitFailed;
  }
  DownloadState state;
  PatientStore store;
  state.PrepareStart(device.WantMonitoring(), device.WantWardRound());
  state.portOpen = true;
  DownloadProgress progress(state, invocation.io.err,
                            {!invocation.args.Has("--quiet"), IsTerminal(invocation.io.err)});
  std::optional<DownloadJournal> journal;
  if (archiveName) {
    JournalSettings settings;
    settings.root = PathFromArg(*archiveName);
    settings.port = port.name;
    settings.onError = [&invocation](const ArchiveError& error) {
      invocation.Note("cannot write the archive: " + Describe(error) + "; the download goes on");
    };
    journal.emplace(state, std::move(settings));
  }
  DownloadListeners events =
      journal ? DownloadListeners{&progress, &*journal} : DownloadListeners{&progress};
  SteadyClock clock;
  AcquisitionJob job{state, store, *port.link, clock, events, device.timing};
  bool interrupted = false;
  if (!RunEngine(job, interrupted)) {
    invocation.Note("cannot start the download thread");
    return kExitFailed;
  }

  int status = kExitOk;
  if (progress.result() != 1) {
    ExplainFailure(invocation, progress, interrupted);
    status = kExitFailed;
    if (outName) KeepPartial(invocation, store, PathFromArg(*outName), *outName);
  } else if (outName) {
    WrittenFiles written;
    std::string error;
    if (!WriteDownloadFiles(store, PathFromArg(*outName), error, &written)) {
      invocation.Note(*outName + "/" + error);
      status = kExitFailed;
    }
    invocation.Note("wrote " + std::to_string(written.monitoringFiles) + " monitoring file(s)" +
                    (written.wardRoundFile ? " and the ward-round file" : "") + " to " + *outName);
  }
  if (journal) {
    if (journal->error()) {
      status = kExitFailed;
    } else if (!journal->folder().empty()) {
      invocation.Note("archived as " + *archiveName + "/" + journal->folder() + " (" +
                      std::string(ResultName(journal->index().result)) + ")");
    }
  }
  invocation.Note(CountsLine(state, store));
  return status;
}

}  // namespace wd::cli

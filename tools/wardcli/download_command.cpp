// wardcli download: the window program's download engine on a serial port, into files.

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "data/patient_store.h"
#include "device/acquisition.h"
#include "tools/wardcli/cli_port.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/device_args.h"
#include "tools/wardcli/download_files.h"

#ifdef _WIN32
#include <io.h>
#define WD_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define WD_ISATTY(fd) isatty(fd)
#endif

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

// Runs on the download thread. Everything it keeps is read by the main thread only after
// that thread has been joined.
class CliEvents final : public DownloadEvents {
 public:
  CliEvents(const DownloadState& state, bool showBar) : state_(state), showBar_(showBar) {}

  void OnProgress(ProgressPhase phase, int value) override {
    if (!showBar_) return;
    if (phase == ProgressPhase::Counted) {
      std::fprintf(stderr, "monitor holds %d monitoring and %d ward-round records\n",
                   state_.monitoringTotal.load(), state_.wardRoundTotal.load());
    } else if (phase == ProgressPhase::Receiving) {
      constexpr int kWidth = 40;
      const int filled = value * kWidth / 100;
      std::fprintf(stderr, "\r[%.*s%.*s] %3d%%", filled,
                   "########################################", kWidth - filled,
                   "----------------------------------------", value);
    } else if (phase == ProgressPhase::Finished) {
      std::fputc('\n', stderr);
    }
  }
  void OnMessage(DeviceMessage message) override { message_ = message; }
  void OnAttemptFailed(const FailedAttempt& attempt) override { lastFailure_ = attempt; }

  std::optional<DeviceMessage> message() const { return message_; }
  std::optional<FailedAttempt> lastFailure() const { return lastFailure_; }

 private:
  const DownloadState& state_;
  bool showBar_;
  std::optional<DeviceMessage> message_;
  std::optional<FailedAttempt> lastFailure_;
};

int Usage(const std::string& error) {
  if (!error.empty()) std::fprintf(stderr, "wardcli: %s\n", error.c_str());
  std::fprintf(stderr,
               "usage: wardcli download %s [--monitoring] [--ward-round] --out DIR [--quiet]\n",
               kPortUsage);
  return kExitUsage;
}

void ExplainFailure(const CliEvents& events, const DownloadState& state, bool interrupted) {
  if (const auto message = events.message()) {
    std::fprintf(stderr, "wardcli: %.*s\n", static_cast<int>(MessageText(*message).size()),
                 MessageText(*message).data());
  } else if (interrupted) {
    std::fputs("wardcli: download stopped\n", stderr);
  } else if (const auto failure = events.lastFailure()) {
    const std::string_view kind = CommandName(failure->command);
    const std::string_view why = Describe(failure->status);
    std::fprintf(stderr,
                 "wardcli: download incomplete: %d attempts at %.*s record %u failed (last: %.*s)\n",
                 failure->attempt, static_cast<int>(kind.size()), kind.data(), failure->index,
                 static_cast<int>(why.size()), why.data());
  } else {
    std::fputs("wardcli: download incomplete\n", stderr);
  }
  std::fprintf(stderr, "wardcli: received %d of %d monitoring and %d of %d ward-round records\n",
               state.monitoringReceived.load(), state.monitoringTotal.load(),
               state.wardRoundReceived.load(), state.wardRoundTotal.load());
}

}  // namespace

int RunDownload(const Args& args) {
  DeviceArgs parsed;
  std::string error;
  if (!ParseDeviceArgs(args, true, parsed, error)) return Usage(error);
  if (!parsed.out) return Usage("--out DIR is required");
  std::error_code ec;
  std::filesystem::create_directories(*parsed.out, ec);
  if (ec || !std::filesystem::is_directory(*parsed.out, ec)) {
    std::fprintf(stderr, "wardcli: cannot use %s as the output folder\n",
                 parsed.out->string().c_str());
    return kExitFailed;
  }

  CliPort port = OpenCliPort(parsed.port);
  if (!port.link) {
    std::fprintf(stderr, "wardcli: %s\n", port.error.c_str());
    return kExitFailed;
  }

  DownloadState state;
  PatientStore store;
  state.PrepareStart(parsed.WantMonitoring(), parsed.WantWardRound());
  state.portOpen = true;
  state.threadRunning = true;
  SteadyClock clock;
  CliEvents events(state, !parsed.quiet && WD_ISATTY(2));
  AcquisitionJob job{state, store, *port.link, clock, events, parsed.timing};

  // The engine runs on its own thread, as in the window program; this one turns Ctrl+C into
  // the stop request.
  InterruptWatch interrupt;
  int result = 0;
  std::thread worker([&job, &result] {
    result = RunAcquisition(job.state, job.store, job.link, job.clock, job.events, job.timing);
    job.state.threadRunning = false;
  });
  while (state.threadRunning) {
    if (interrupt.Interrupted()) state.stopRequested = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  worker.join();

  WrittenFiles written;
  const bool saved = WriteDownloadFiles(store, *parsed.out, error, &written);
  if (!saved) std::fprintf(stderr, "wardcli: %s\n", error.c_str());
  if (!parsed.quiet) {
    std::fprintf(stderr, "wardcli: wrote %zu monitoring file(s)%s to %s\n", written.monitoringFiles,
                 written.wardRoundFile ? " and the ward-round file" : "",
                 parsed.out->string().c_str());
  }
  if (result != 1) {
    ExplainFailure(events, state, interrupt.Interrupted());
    return kExitFailed;
  }
  return saved ? kExitOk : kExitFailed;
}

}  // namespace wd::cli

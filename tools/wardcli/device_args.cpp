#include "tools/wardcli/device_args.h"

#include <atomic>
#include <charconv>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wd::cli {
namespace {

// Signal handlers can reach nothing else: one process-wide flag.
std::atomic<bool> gInterrupted{false};

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  gInterrupted = true;
  return TRUE;
}
#else
void OnSignal(int) { gInterrupted = true; }
#endif

}  // namespace

bool ReadDeviceArgs(const ParsedArgs& args, DeviceArgs& parsed, std::string& problem) {
  parsed.port = args.Value("--port");
  parsed.monitoring = args.Has("--monitoring");
  parsed.wardRound = args.Has("--ward-round");
  if (const std::optional<std::string> value = args.Value(kPollOption.name)) {
    int ms = 0;
    auto [end, failure] = std::from_chars(value->data(), value->data() + value->size(), ms);
    if (failure != std::errc() || end != value->data() + value->size() || ms < 1 || ms > 1000) {
      problem = "--poll-ms takes 1 to 1000 milliseconds";
      return false;
    }
    parsed.timing.pollInterval = std::chrono::milliseconds(ms);
  }
  return true;
}

InterruptWatch::InterruptWatch() {
  gInterrupted = false;
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
#endif
}

InterruptWatch::~InterruptWatch() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
#else
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
#endif
}

bool InterruptWatch::Interrupted() const { return gInterrupted; }

}  // namespace wd::cli

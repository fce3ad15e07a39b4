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

bool ParseDeviceArgs(const Args& args, bool acceptOut, DeviceArgs& parsed, std::string& error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& flag = args[i];
    if (flag == "--monitoring") {
      parsed.monitoring = true;
    } else if (flag == "--ward-round") {
      parsed.wardRound = true;
    } else if (flag == "--quiet") {
      parsed.quiet = true;
    } else if (flag == "--port" || flag == "--poll-ms" || (acceptOut && flag == "--out")) {
      if (i + 1 >= args.size()) {
        error = flag + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (flag == "--port") {
        parsed.port = value;
      } else if (flag == "--out") {
        parsed.out = PathFromArg(value);
      } else {
        int ms = 0;
        auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), ms);
        if (failure != std::errc() || end != value.data() + value.size() || ms < 1 || ms > 1000) {
          error = "--poll-ms takes 1 to 1000 milliseconds";
          return false;
        }
        parsed.timing.pollInterval = std::chrono::milliseconds(ms);
      }
    } else {
      error = "unknown argument " + flag;
      return false;
    }
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

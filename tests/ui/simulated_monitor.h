#pragma once
// The native monitor-sim serving COM7 of this Wine prefix, for UI tests: started through Wine's
// support for running Linux programs, linked as dosdevices/com7, and announced in the serial
// device table as \Device\VCP0 = COM7 (the table is volatile, so the test adds the value).

#include <windows.h>

#include <filesystem>
#include <string>

namespace wd::uitest {

class SimulatedMonitor {
 public:
  // `arguments`: monitor-sim's data and fault options, e.g. L"--patients 3 --minutes 120".
  explicit SimulatedMonitor(const std::wstring& arguments);
  ~SimulatedMonitor();
  SimulatedMonitor(const SimulatedMonitor&) = delete;
  SimulatedMonitor& operator=(const SimulatedMonitor&) = delete;

  bool running() const { return running_; }
  const std::wstring& error() const { return error_; }

  // The serial-device value alone, without a simulator (a device that cannot be opened).
  static void AnnouncePort(const wchar_t* valueName, const wchar_t* portName);
  static void WithdrawPort(const wchar_t* valueName);

 private:
  std::wstring pidFile_;
  bool running_ = false;
  std::wstring error_;
};

// Runs a Linux command line (through /bin/sh) and waits for it; its exit code, or -1.
int RunUnixCommand(const std::wstring& command, DWORD timeoutMs = 10000);

// The Linux path of a Windows one (any drive of the prefix), as Wine maps it; empty when Wine
// cannot say.
std::wstring UnixPath(const std::filesystem::path& path);

}  // namespace wd::uitest

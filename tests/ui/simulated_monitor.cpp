#include "tests/ui/simulated_monitor.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/ui_support/message_pump.h"

#ifndef WD_NATIVE_MONITOR_SIM
#error "WD_NATIVE_MONITOR_SIM must name the native monitor-sim"
#endif

namespace wd::uitest {
namespace {

constexpr const wchar_t* kSerialTable = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr const wchar_t* kVcpValue = L"\\Device\\VCP0";

std::wstring UnixEnvironment(const wchar_t* name) {
  std::vector<wchar_t> value(32768);
  const DWORD length =
      ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  return length == 0 || length >= value.size() ? std::wstring{}
                                               : std::wstring(value.data(), length);
}

// The Windows view of a Linux path (Wine maps the root to Z:).
std::filesystem::path WindowsPath(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring Quote(const std::wstring& text) { return L"'" + text + L"'"; }

}  // namespace

// Wine starts Linux programs but gives no waitable handle for them: the command reports its
// exit code in a file, which the test waits for.
int RunUnixCommand(const std::wstring& command, DWORD timeoutMs) {
  static std::atomic<int> serial{0};
  const std::wstring done = L"/tmp/wd-ui-command-" + std::to_wstring(::GetCurrentProcessId()) +
                            L"-" + std::to_wstring(serial++);
  std::wstring line = L"/bin/sh -c \"(" + command + L"); echo $? > " + Quote(done + L".part") +
                      L" && mv " + Quote(done + L".part") + L" " + Quote(done) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return -1;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  const std::filesystem::path result = WindowsPath(done);
  if (!ui_support::PumpUntil([&] { return std::filesystem::exists(result); }, timeoutMs)) return -1;
  int code = -1;
  std::ifstream(result) >> code;
  std::error_code ignored;
  std::filesystem::remove(result, ignored);
  return code;
}

void SimulatedMonitor::AnnouncePort(const wchar_t* valueName, const wchar_t* portName) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialTable, 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring data = portName;
  ::RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
}

void SimulatedMonitor::WithdrawPort(const wchar_t* valueName) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialTable, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return;
  ::RegDeleteValueW(key, valueName);
  ::RegCloseKey(key);
}

SimulatedMonitor::SimulatedMonitor(const std::wstring& arguments) {
  const std::wstring prefix = UnixEnvironment(L"WINEPREFIX");
  if (prefix.empty()) {
    error_ = L"WINEPREFIX is not set";
    return;
  }
  const std::wstring link = prefix + L"/dosdevices/com7";
  pidFile_ = prefix + L"/monitor-sim-ui.pid";
  const std::wstring sim = WD_NATIVE_MONITOR_SIM;
  RunUnixCommand(L"rm -f " + Quote(link) + L" " + Quote(pidFile_));
  // A shell of its own whose pid becomes the simulator's with exec; the test stops it with kill.
  const std::wstring start = L"sh -c 'echo $$ > " + pidFile_ + L"; exec " + sim + L" --link " +
                             link + L" " + arguments + L"' >/dev/null 2>&1 &";
  if (RunUnixCommand(start) != 0) {
    error_ = L"cannot start " + sim;
    return;
  }
  running_ = RunUnixCommand(L"for i in $(seq 100); do [ -L " + Quote(link) + L" ] && [ -s " +
                            Quote(pidFile_) + L" ] && exit 0; sleep 0.05; done; exit 1") == 0;
  if (!running_) {
    error_ = L"monitor-sim did not link " + link;
    return;
  }
  AnnouncePort(kVcpValue, L"COM7");
}

SimulatedMonitor::~SimulatedMonitor() {
  WithdrawPort(kVcpValue);
  if (!pidFile_.empty()) {
    RunUnixCommand(L"kill -TERM $(cat " + Quote(pidFile_) + L") 2>/dev/null; rm -f " +
                   Quote(pidFile_));
  }
}

std::wstring UnixPath(const std::filesystem::path& path) {
  using ToUnix = char* (*)(const wchar_t*);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  char* unix = toUnix(path.wstring().c_str());
  if (unix == nullptr) return {};
  const std::string bytes(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return std::filesystem::path(bytes).wstring();
}

}  // namespace wd::uitest

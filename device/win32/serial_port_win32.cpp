#include "device/win32/serial_port_win32.h"

#include <cstring>
#include <string>

#include "device/port_name.h"

namespace wd {
namespace {

constexpr DWORD kValueNameChars = 100;
constexpr DWORD kValueDataBytes = 100;
constexpr DWORD kBaudRate = 115200;

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* Receive() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class Win32SerialLink final : public ByteLink {
 public:
  explicit Win32SerialLink(HANDLE handle) : handle_(handle) {}
  ~Win32SerialLink() override { Close(); }
  Win32SerialLink(const Win32SerialLink&) = delete;
  Win32SerialLink& operator=(const Win32SerialLink&) = delete;

  bool Write(std::span<const std::uint8_t> bytes) override {
    DWORD written = 0;
    return IsOpen() &&
           WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }

  std::optional<std::size_t> BytesWaiting() override {
    DWORD errors = 0;
    COMSTAT status{};
    if (!IsOpen() || !ClearCommError(handle_, &errors, &status)) return std::nullopt;
    return status.cbInQue;
  }

  bool Read(std::span<std::uint8_t> out) override {
    DWORD got = 0;
    return IsOpen() &&
           ReadFile(handle_, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) &&
           got == out.size();
  }

  bool Purge() override {
    DWORD errors = 0;
    COMSTAT status{};
    return IsOpen() && ClearCommError(handle_, &errors, &status) &&
           PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
  }

  void Close() override {
    if (IsOpen()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  bool Configure() {
    // Reads take only what ClearCommError reports queued, so they never wait in practice.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 0xFFFF;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 5;
    timeouts.WriteTotalTimeoutConstant = 5;
    SetupComm(handle_, 0, 0);
    if (!SetCommTimeouts(handle_, &timeouts)) return false;
    DCB line{};
    line.DCBlength = sizeof(DCB);
    if (!GetCommState(handle_, &line)) return false;
    line.DCBlength = sizeof(DCB);
    line.BaudRate = kBaudRate;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    if (!SetCommState(handle_, &line)) return false;
    Purge();
    return true;
  }

 private:
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE handle_;
};

}  // namespace

bool FindSerialPortIn(HKEY root, const wchar_t* subKey, int& port) {
  RegistryKey key;
  if (RegOpenKeyExW(root, subKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
  DWORD valueCount = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  for (DWORD index = 0; index < valueCount; ++index) {
    wchar_t name[kValueNameChars];
    DWORD nameChars = kValueNameChars;
    BYTE data[kValueDataBytes];
    DWORD dataBytes = kValueDataBytes;
    DWORD type = 0;
    if (RegEnumValueW(key.get(), index, name, &nameChars, nullptr, &type, data, &dataBytes) !=
        ERROR_SUCCESS) {
      return false;
    }
    if (!IsMonitorDeviceName(std::wstring_view(name, nameChars))) continue;
    // The data need not end in a terminator: read only the bytes the registry returned.
    std::wstring portName(dataBytes / sizeof(wchar_t), L'\0');
    std::memcpy(portName.data(), data, portName.size() * sizeof(wchar_t));
    port = PortNumberFromPortName(portName.c_str());
    return true;
  }
  return false;
}

bool FindSerialPort(int& port) {
  return FindSerialPortIn(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", port);
}

SerialPortOpen OpenSerialPort() {
  int port = 0;
  if (!FindSerialPort(port)) return {nullptr, DeviceMessage::NoDeviceAtAll};
  return OpenSerialPortNumber(port);
}

SerialPortOpen OpenSerialPortNumber(int port) {
  const std::wstring path = L"\\\\.\\COM" + std::to_wstring(port);
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // Opened without sharing: a port another program holds is refused as access denied.
    const DWORD error = ::GetLastError();
    return {nullptr, DeviceMessage::OpenPortFailed,
            error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION};
  }
  auto link = std::make_unique<Win32SerialLink>(handle);
  if (!link->Configure()) return {nullptr, std::nullopt};
  return {std::move(link), std::nullopt};
}

}  // namespace wd

#include "tools/wardcli/cli_port.h"

#include <string_view>

#include "device/device_message.h"

#ifdef _WIN32
#include "device/win32/serial_port_win32.h"
#else
#include "device/posix/serial_port_posix.h"
#endif

namespace wd::cli {

#ifdef _WIN32

const char* const kPortUsage = "[--port COMn]";

CliPort OpenCliPort(const std::optional<std::string>& port) {
  int number = 0;
  if (!port) {
    if (!FindSerialPort(number)) return {nullptr, std::string(MessageText(DeviceMessage::NoDevice))};
  } else {
    std::string_view name = *port;
    if (name.size() > 3 && (name.substr(0, 3) == "COM" || name.substr(0, 3) == "com")) {
      name.remove_prefix(3);
    }
    if (name.empty() || name.find_first_not_of("0123456789") != std::string_view::npos ||
        name.size() > 6) {
      return {nullptr, "not a port name: " + *port + " (expected COMn)"};
    }
    number = std::stoi(std::string(name));
  }
  SerialPortOpen opened = OpenSerialPortNumber(number);
  if (!opened.link) {
    return {nullptr, opened.message ? std::string(MessageText(*opened.message))
                                    : "COM" + std::to_string(number) + ": line settings refused"};
  }
  return {std::move(opened.link), {}};
}

#else

const char* const kPortUsage = "--port DEVICE";

CliPort OpenCliPort(const std::optional<std::string>& port) {
  if (!port) return {nullptr, "no port given (--port DEVICE)"};
  PosixPortOpen opened = OpenPosixSerialPort(*port);
  if (opened.busy) return {nullptr, opened.error};
  if (!opened.link) {
    return {nullptr, std::string(MessageText(DeviceMessage::OpenPortFailed)) + " (" +
                         opened.error + ")"};
  }
  return {std::move(opened.link), {}};
}

#endif

}  // namespace wd::cli

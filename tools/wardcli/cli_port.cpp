#include "tools/wardcli/cli_port.h"

#include <string_view>

#ifdef _WIN32
#include "device/win32/serial_port_win32.h"
#else
#include "device/posix/serial_port_posix.h"
#endif

namespace wd::cli {

#ifdef _WIN32

CliPort OpenCliPort(const std::optional<std::string>& port, MessageLanguage language) {
  int number = 0;
  if (!port) {
    if (!FindSerialPort(number)) {
      return {nullptr, std::string(MessageText(DeviceMessage::NoDevice, language))};
    }
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
  const std::string name = "COM" + std::to_string(number);
  SerialPortOpen opened = OpenSerialPortNumber(number);
  if (opened.busy) return {nullptr, PortBusyText(name)};
  if (!opened.link) {
    return {nullptr, opened.message ? std::string(MessageText(*opened.message, language))
                                    : name + ": line settings refused"};
  }
  return {std::move(opened.link), {}, name};
}

#else

CliPort OpenCliPort(const std::optional<std::string>& port, MessageLanguage language) {
  if (!port) return {nullptr, "no port given (--port DEVICE)"};
  PosixPortOpen opened = OpenPosixSerialPort(*port);
  if (opened.busy) return {nullptr, opened.error};
  if (!opened.link) {
    return {nullptr, std::string(MessageText(DeviceMessage::OpenPortFailed, language)) + " (" +
                         opened.error + ")"};
  }
  return {std::move(opened.link), {}, *port};
}

#endif

}  // namespace wd::cli

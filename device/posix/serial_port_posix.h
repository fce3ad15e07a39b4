#pragma once
// The byte link over a POSIX tty: a USB serial adapter, or the simulator's pty. Raw mode,
// 115200 baud, 8 data bits, no parity, one stop bit.

#include <memory>
#include <string>

#include "device/byte_link.h"

namespace wd {

struct PosixPortOpen {
  std::unique_ptr<ByteLink> link;  // null on failure
  std::string error;               // why, for the user
};

PosixPortOpen OpenPosixSerialPort(const std::string& path);

}  // namespace wd

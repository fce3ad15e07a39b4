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
  bool busy = false;               // another program holds the port
};

// Opens the port for this program alone, as the Windows port opens without sharing: a port
// that another program holds is left untouched (no line settings, no purge) and reported busy.
PosixPortOpen OpenPosixSerialPort(const std::string& path);

// Claims an open tty for its descriptor alone: an advisory lock (flock) that every program of
// ours checks, and TIOCEXCL, which refuses further opens to anyone but root. False when another
// descriptor holds the lock.
bool ClaimTty(int fd);
// Undoes TIOCEXCL before the descriptor is closed: a tty that someone else keeps open (the
// simulator keeps its pty's terminal side open) would otherwise stay closed to other users.
// The lock goes with the descriptor.
void ReleaseTty(int fd);

}  // namespace wd

#include "tools/monitor-sim/pty_port.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/device_message.h"
#include "device/posix/serial_port_posix.h"

namespace wd::sim {
namespace {

bool MakeRaw(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  cfsetispeed(&settings, B115200);
  cfsetospeed(&settings, B115200);
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::string Failure(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

std::optional<SimPort> SimPort::CreatePty(std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) {
    error = Failure("posix_openpt");
    return std::nullopt;
  }
  const char* slaveName = nullptr;
  if (grantpt(master) != 0 || unlockpt(master) != 0 || (slaveName = ptsname(master)) == nullptr) {
    error = Failure("pty setup");
    close(master);
    return std::nullopt;
  }
  std::string name = slaveName;
  const int keeper = open(name.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (keeper < 0 || !MakeRaw(keeper)) {
    error = Failure(name);
    if (keeper >= 0) close(keeper);
    close(master);
    return std::nullopt;
  }
  return SimPort(master, keeper, std::move(name));
}

std::optional<SimPort> SimPort::OpenTty(const std::filesystem::path& path, std::string& error) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 && !ClaimTty(fd)) {
    // Held by a client: leave its line settings alone.
    close(fd);
    error = PortBusyText(path.string());
    return std::nullopt;
  }
  if (fd < 0 || !MakeRaw(fd)) {
    error = errno == EBUSY ? PortBusyText(path.string()) : Failure(path.string());
    if (fd >= 0) close(fd);
    return std::nullopt;
  }
  return SimPort(fd, -1, path.string(), true);
}

SimPort::SimPort(SimPort&& other) noexcept
    : fd_(other.fd_),
      keeper_(other.keeper_),
      name_(std::move(other.name_)),
      claimed_(other.claimed_) {
  other.fd_ = -1;
  other.keeper_ = -1;
}

void SimPort::Close() {
  if (fd_ >= 0 && claimed_) ReleaseTty(fd_);
  if (fd_ >= 0) close(fd_);
  if (keeper_ >= 0) close(keeper_);
  fd_ = keeper_ = -1;
}

}  // namespace wd::sim

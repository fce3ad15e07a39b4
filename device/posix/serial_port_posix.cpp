#include "device/posix/serial_port_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "device/device_message.h"

namespace wd {
namespace {

// Writes are bounded like the Windows port's: 5 ms plus 5 ms per byte.
constexpr int kWriteTimeoutBaseMs = 5;
constexpr int kWriteTimeoutPerByteMs = 5;
constexpr int kReadGraceMs = 100;

class PosixSerialLink final : public ByteLink {
 public:
  explicit PosixSerialLink(int fd) : fd_(fd) {}
  ~PosixSerialLink() override { Close(); }
  PosixSerialLink(const PosixSerialLink&) = delete;
  PosixSerialLink& operator=(const PosixSerialLink&) = delete;

  bool Write(std::span<const std::uint8_t> bytes) override {
    if (fd_ < 0) return false;
    const auto deadline =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(kWriteTimeoutBaseMs + kWriteTimeoutPerByteMs * bytes.size());
    while (!bytes.empty()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() < 0) return false;
      pollfd ready{fd_, POLLOUT, 0};
      const int polled = poll(&ready, 1, static_cast<int>(left.count()));
      if (polled < 0 && errno == EINTR) continue;
      if (polled <= 0 || (ready.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR || errno == EAGAIN) continue;
        return false;
      }
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
  }

  std::optional<std::size_t> BytesWaiting() override {
    if (fd_ < 0) return std::nullopt;
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return std::nullopt;
    if (waiting > 0) return static_cast<std::size_t>(waiting);
    // An empty queue on a line whose other side has gone (a pty hang-up, an unplugged
    // adapter) is a broken link, not a quiet one.
    pollfd state{fd_, POLLIN, 0};
    if (poll(&state, 1, 0) < 0 && errno != EINTR) return std::nullopt;
    if (state.revents & (POLLERR | POLLHUP | POLLNVAL)) return std::nullopt;
    return 0;
  }

  bool Read(std::span<std::uint8_t> out) override {
    if (fd_ < 0) return false;
    while (!out.empty()) {
      const ssize_t got = ::read(fd_, out.data(), out.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && errno == EAGAIN) {
        // The caller saw these bytes queued; give them a moment, never spin.
        pollfd ready{fd_, POLLIN, 0};
        if (poll(&ready, 1, kReadGraceMs) > 0 && (ready.revents & POLLIN)) continue;
        return false;
      }
      if (got <= 0) return false;
      out = out.subspan(static_cast<std::size_t>(got));
    }
    return true;
  }

  bool Purge() override { return fd_ >= 0 && tcflush(fd_, TCIOFLUSH) == 0; }

  void Close() override {
    if (fd_ < 0) return;
    ReleaseTty(fd_);
    ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

std::string Failure(const std::string& path, const char* step) {
  return path + ": " + step + ": " + std::strerror(errno);
}

}  // namespace

bool ClaimTty(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
  // Not every tty driver takes the flag; the lock above is what our programs rely on.
  ioctl(fd, TIOCEXCL);
  return true;
}

void ReleaseTty(int fd) { ioctl(fd, TIOCNXCL); }

PosixPortOpen OpenPosixSerialPort(const std::string& path) {
  // Non-blocking so the open does not wait for a carrier; reads only take what is queued.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return {nullptr, errno == EBUSY ? PortBusyText(path) : Failure(path, "open"), errno == EBUSY};
  }
  // Before anything that would disturb the holder's line: settings, a purge.
  if (!ClaimTty(fd)) {
    ::close(fd);
    return {nullptr, PortBusyText(path), true};
  }
  auto link = std::make_unique<PosixSerialLink>(fd);
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return {nullptr, Failure(path, "not a serial port")};
  cfmakeraw(&settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE | CRTSCTS);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  if (cfsetispeed(&settings, B115200) != 0 || cfsetospeed(&settings, B115200) != 0 ||
      tcsetattr(fd, TCSANOW, &settings) != 0) {
    return {nullptr, Failure(path, "line settings")};
  }
  if (!link->Purge()) return {nullptr, Failure(path, "purge")};
  return {std::move(link), {}};
}

}  // namespace wd

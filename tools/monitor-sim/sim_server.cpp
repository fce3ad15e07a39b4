#include "tools/monitor-sim/sim_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

namespace wd::sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPollMs = 50;

// On a serial line each byte takes ten bit times (8N1).
Clock::duration WireTime(std::size_t bytes, unsigned baud) {
  return std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(bytes) * 10.0 / baud));
}

// Writes everything, waiting for room; false when stopped or the port failed.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::atomic<bool>& stop) {
  while (size > 0) {
    if (stop) return false;
    pollfd ready{fd, POLLOUT, 0};
    if (poll(&ready, 1, kPollMs) <= 0) continue;
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Sends at the wire rate of `baud`, in slices of about a millisecond, against an absolute
// schedule so the rate does not drift.
bool SendPaced(int fd, const Reply& reply, unsigned baud, const std::atomic<bool>& stop) {
  if (baud == 0) return WriteAll(fd, reply.data(), reply.size(), stop);
  const std::size_t slice = std::max<std::size_t>(1, baud / 10 / 1000);
  const Clock::time_point start = Clock::now();
  for (std::size_t sent = 0; sent < reply.size();) {
    const std::size_t count = std::min(slice, reply.size() - sent);
    std::this_thread::sleep_until(start + WireTime(sent + count, baud));
    if (!WriteAll(fd, reply.data() + sent, count, stop)) return false;
    sent += count;
  }
  return true;
}

}  // namespace

void Serve(SimPort& port, MonitorDevice& device, ServeOptions options,
           const std::atomic<bool>& stop) {
  std::uint8_t buffer[512];
  while (!stop && !device.ShouldDisconnect()) {
    pollfd ready{port.fd(), POLLIN, 0};
    const int polled = poll(&ready, 1, kPollMs);
    if (polled <= 0) continue;
    const ssize_t got = read(port.fd(), buffer, sizeof buffer);
    if (got <= 0) {
      // No one has the other side open (EIO on a pty master): wait for the next user.
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
      continue;
    }
    const std::uint64_t before = device.stats().requests;
    std::vector<Reply> replies = device.Feed(std::span(buffer, static_cast<std::size_t>(got)));
    if (options.verbose && device.stats().requests != before) {
      std::fprintf(stderr, "monitor-sim: request %llu, %zu repl%s\n",
                   static_cast<unsigned long long>(device.stats().requests - 1), replies.size(),
                   replies.size() == 1 ? "y" : "ies");
    }
    // The request itself took its time on the line before the monitor could answer.
    if (options.pace != 0) std::this_thread::sleep_for(WireTime(static_cast<std::size_t>(got), options.pace));
    for (const Reply& reply : replies) {
      if (!SendPaced(port.fd(), reply, options.pace, stop)) return;
      if (device.ShouldDisconnect()) break;
    }
  }
  if (device.ShouldDisconnect()) {
    // Let the last reply be read, as from a monitor unplugged just after it answered.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (options.verbose) std::fputs("monitor-sim: disconnecting as planned\n", stderr);
    port.Close();
  }
}

}  // namespace wd::sim

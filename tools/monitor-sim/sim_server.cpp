#include "tools/monitor-sim/sim_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <span>
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
bool SendPaced(int fd, std::span<const std::uint8_t> bytes, unsigned baud,
               const std::atomic<bool>& stop) {
  if (baud == 0) return WriteAll(fd, bytes.data(), bytes.size(), stop);
  const std::size_t slice = std::max<std::size_t>(1, baud / 10 / 1000);
  const Clock::time_point start = Clock::now();
  for (std::size_t sent = 0; sent < bytes.size();) {
    const std::size_t count = std::min(slice, bytes.size() - sent);
    std::this_thread::sleep_until(start + WireTime(sent + count, baud));
    if (!WriteAll(fd, bytes.data() + sent, count, stop)) return false;
    sent += count;
  }
  return true;
}

// Waits until `until`, or less when stopped; false when stopped.
bool WaitUntil(Clock::time_point until, const std::atomic<bool>& stop) {
  while (Clock::now() < until) {
    if (stop) return false;
    std::this_thread::sleep_until(
        std::min(until, Clock::now() + std::chrono::milliseconds(kPollMs)));
  }
  return !stop;
}

// Sends a reply, holding back its tail as long as the reply asks, counted from `requestTime`.
bool SendReply(int fd, const Reply& reply, Clock::time_point requestTime, unsigned baud,
               const std::atomic<bool>& stop) {
  const std::span<const std::uint8_t> bytes(reply.bytes);
  const std::size_t first = reply.heldFor.count() > 0 ? reply.heldFrom : bytes.size();
  return SendPaced(fd, bytes.first(first), baud, stop) &&
         WaitUntil(requestTime + reply.heldFor, stop) &&
         SendPaced(fd, bytes.subspan(first), baud, stop);
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
    const Clock::time_point received = Clock::now();
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
    if (options.pace != 0)
      std::this_thread::sleep_for(WireTime(static_cast<std::size_t>(got), options.pace));
    for (const Reply& reply : replies) {
      if (!SendReply(port.fd(), reply, received, options.pace, stop)) return;
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

#pragma once
// A download in virtual time without a test framework: a clock that only moves when slept, a link
// whose peer answers each request with scripted bytes arriving at chosen moments, and an events
// recorder. The unit tests and the device fuzz target share it.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "device/acquisition.h"
#include "device/byte_link.h"
#include "device/clock.h"

namespace wd::test {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class VirtualClock final : public Clock {
 public:
  std::chrono::milliseconds Now() override { return now_; }
  void Sleep(std::chrono::milliseconds duration) override {
    now_ += duration;
    slept_ += duration;
  }
  std::chrono::milliseconds slept() const { return slept_; }

 private:
  std::chrono::milliseconds now_{0};
  std::chrono::milliseconds slept_{0};
};

class ScriptedLink final : public ByteLink {
 public:
  // Called for every written request with its number (from 0); answers with Deliver().
  using Peer = std::function<void(const Bytes& request, int number, ScriptedLink& link)>;

  ScriptedLink(VirtualClock& clock, Peer peer) : clock_(clock), peer_(std::move(peer)) {}

  // Bytes that reach the receive queue `delay` from now, after everything delivered before.
  void Deliver(const Bytes& bytes, std::chrono::milliseconds delay = 0ms) {
    if (!bytes.empty()) incoming_.push_back({clock_.Now() + delay, bytes, 0});
  }

  bool Write(std::span<const std::uint8_t> bytes) override {
    const int number = static_cast<int>(requests.size());
    if (closed || failingWrites.contains(number)) return false;
    requests.emplace_back(bytes.begin(), bytes.end());
    requestTimes.push_back(clock_.Now());
    if (peer_) peer_(requests.back(), number, *this);
    return true;
  }
  std::optional<std::size_t> BytesWaiting() override {
    if (closed || broken) return std::nullopt;
    std::size_t arrived = 0;
    for (const Piece& piece : incoming_) {
      // A serial line keeps its order: nothing overtakes a piece still on the wire.
      if (piece.arrival > clock_.Now()) break;
      arrived += piece.bytes.size() - piece.taken;
    }
    return arrived;
  }
  bool Read(std::span<std::uint8_t> out) override {
    const std::optional<std::size_t> waiting = BytesWaiting();
    if (!waiting || *waiting < out.size()) return false;
    for (std::size_t filled = 0; filled < out.size();) {
      Piece& piece = incoming_.front();
      const std::size_t take = std::min(out.size() - filled, piece.bytes.size() - piece.taken);
      std::copy_n(piece.bytes.begin() + static_cast<std::ptrdiff_t>(piece.taken), take,
                  out.begin() + static_cast<std::ptrdiff_t>(filled));
      filled += take;
      piece.taken += take;
      if (piece.taken == piece.bytes.size()) incoming_.pop_front();
    }
    return true;
  }
  bool Purge() override {
    if (closed) return false;
    ++purges;
    // Bytes still on the wire arrive after the purge, as on a real line.
    while (!incoming_.empty() && incoming_.front().arrival <= clock_.Now()) incoming_.pop_front();
    return true;
  }
  void Close() override { closed = true; }

  std::vector<Bytes> requests;
  std::vector<std::chrono::milliseconds> requestTimes;
  std::set<int> failingWrites;  // request numbers whose write fails
  int purges = 0;
  bool closed = false;
  bool broken = false;

 private:
  struct Piece {
    std::chrono::milliseconds arrival;
    Bytes bytes;
    std::size_t taken;  // bytes of it already read
  };

  VirtualClock& clock_;
  Peer peer_;
  std::deque<Piece> incoming_;
};

class RecordingEvents final : public DownloadEvents {
 public:
  void OnProgress(ProgressPhase phase, int value) override {
    progress.emplace_back(static_cast<int>(phase), value);
  }
  void OnMessage(DeviceMessage message) override { messages.push_back(message); }
  void OnAttemptFailed(const FailedAttempt& attempt) override { failures.push_back(attempt); }
  void OnUnexpectedError(const char* what) override { unexpected.emplace_back(what); }

  // The values of the Receiving phase, in order.
  std::vector<int> Percentages() const {
    std::vector<int> values;
    for (const auto& [phase, value] : progress) {
      if (phase == static_cast<int>(ProgressPhase::Receiving)) values.push_back(value);
    }
    return values;
  }

  std::vector<std::pair<int, int>> progress;
  std::vector<DeviceMessage> messages;
  std::vector<FailedAttempt> failures;
  std::vector<std::string> unexpected;
};

}  // namespace wd::test

#pragma once
// A download in virtual time: a clock that only moves when slept, a link whose peer answers
// each request with scripted bytes arriving at chosen moments, and an events recorder.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "device/acquisition.h"
#include "device/byte_link.h"
#include "device/clock.h"
#include "tests/unit/test_support.h"

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

// Replies as the monitor builds them.
inline Bytes CountReply(std::uint32_t wardRound, std::uint32_t monitoring,
                 std::uint16_t length = short_reply::kLength) {
  const auto reply = short_reply::Build(kMonitoringStoreEcho, wardRound, monitoring, length);
  return Bytes(reply.begin(), reply.end());
}

inline WireRecord WireAt(int minute) {
  return PackWireRecord(Record(RecordKind::Monitoring, 1 + minute / 1440,
                                     minute / 60 % 24, minute % 60));
}

// A monitoring page: the id, then `count` records at consecutive minutes from `firstMinute`.
inline Bytes MonitoringPage(std::uint16_t index, const PatientId& id, int count, int firstMinute) {
  Bytes payload(id.bytes.begin(), id.bytes.end());
  for (int i = 0; i < count; ++i) {
    const auto wire = WireAt(firstMinute + i).bytes;
    payload.insert(payload.end(), wire.begin(), wire.end());
  }
  return data_reply::Build(index, payload);
}

inline Bytes WardRoundPage(std::uint16_t index, const std::vector<std::pair<PatientId, int>>& entries) {
  Bytes payload;
  for (const auto& [id, minute] : entries) {
    payload.insert(payload.end(), id.bytes.begin(), id.bytes.end());
    const auto wire = WireAt(minute).bytes;
    payload.insert(payload.end(), wire.begin(), wire.end());
  }
  return data_reply::Build(index, payload);
}

inline std::uint16_t IndexOf(const Bytes& request) {
  return static_cast<std::uint16_t>(request[3] << 8 | request[4]);
}

// One download against a peer that answers each request number from a script.
struct Download {
  VirtualClock clock;
  std::map<int, Bytes> script;  // request number -> reply bytes
  std::function<Bytes(const Bytes&, int)> answer;  // used where the script has no entry
  // Request number -> when the second half of its reply arrives, counted from the request: a
  // monitor that stalls in the middle of a reply.
  std::map<int, std::chrono::milliseconds> completedAfter;
  ScriptedLink link{clock, [this](const Bytes& request, int number, ScriptedLink& l) {
                      const auto found = script.find(number);
                      if (found == script.end() && !answer) return;
                      const Bytes reply = found != script.end() ? found->second : answer(request, number);
                      const auto late = completedAfter.find(number);
                      if (late == completedAfter.end()) return l.Deliver(reply, 3ms);
                      const auto half = reply.begin() + static_cast<std::ptrdiff_t>(reply.size() / 2);
                      l.Deliver(Bytes(reply.begin(), half), 3ms);
                      l.Deliver(Bytes(half, reply.end()), late->second);
                    }};
  RecordingEvents events;
  DownloadState state;
  PatientStore store;

  int Run(bool monitoring, bool wardRound, ReceiveTiming timing = {}) {
    state.PrepareStart(monitoring, wardRound);
    state.portOpen = true;
    return RunAcquisition(state, store, link, clock, events, timing);
  }
  std::size_t RecordCount(const PatientId& id) {
    auto reader = store.Read();
    const RecordList* list = reader.FindRecordList(id);
    return list ? list->size() : 0;
  }
};

}  // namespace wd::test

#pragma once
// Downloads in virtual time for the unit tests: the scripted link (scripted_link.h), replies as
// the monitor builds them and a download against a scripted peer.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "device/acquisition.h"
#include "tests/unit/scripted_link.h"
#include "tests/unit/test_support.h"

namespace wd::test {

// Replies as the monitor builds them.
inline Bytes CountReply(std::uint32_t wardRound, std::uint32_t monitoring,
                        std::uint16_t length = short_reply::kLength) {
  const auto reply = short_reply::Build(kMonitoringStoreEcho, wardRound, monitoring, length);
  return Bytes(reply.begin(), reply.end());
}

inline WireRecord WireAt(int minute) {
  return PackWireRecord(
      Record(RecordKind::Monitoring, 1 + minute / 1440, minute / 60 % 24, minute % 60));
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

inline Bytes WardRoundPage(std::uint16_t index,
                           const std::vector<std::pair<PatientId, int>>& entries) {
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
  std::map<int, Bytes> script;                     // request number -> reply bytes
  std::function<Bytes(const Bytes&, int)> answer;  // used where the script has no entry
  // Request number -> when the second half of its reply arrives, counted from the request: a
  // monitor that stalls in the middle of a reply.
  std::map<int, std::chrono::milliseconds> completedAfter;
  ScriptedLink link{
      clock, [this](const Bytes& request, int number, ScriptedLink& l) {
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

// The device's reply stream: a whole download (or a device erase) over a link whose peer answers
// with the fuzzer's bytes, in virtual time. Input layout:
//   byte 0  bit 0 want monitoring, bit 1 want ward-round, bit 2 the coarse 100 ms polling,
//           bit 3 erase those stores instead of downloading
//   byte 1  the stop flag is raised while request (byte 1 - 1) is written; 0 never
//   byte 2  the link breaks while request (byte 2 - 1) is written; 0 never
//   then the answers, one per request in order, each one or more pieces:
//     control  bits 0-2 arrival delay in 200 ms steps, bit 3 another piece of this answer
//              follows; on an answer's first piece only: bit 4 write the payload length into
//              bytes 5-6, bit 5 write the request's index into bytes 3-4, bit 6 end with the
//              right checksum, bit 7 the request's write fails instead
//     length   two bytes, big-endian
//     bytes    that many (fewer at the end of the input)
// Requests beyond the answers go unanswered.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <vector>

#include "device/acquisition.h"
#include "device/clear_device.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/scripted_link.h"

namespace {

using wd::test::Bytes;
using namespace std::chrono_literals;

struct Piece {
  std::chrono::milliseconds delay;
  std::size_t end;  // where this piece ends in the answer's bytes
};

struct Answer {
  bool writeFails = false;
  bool setLength = false;
  bool setIndex = false;
  bool setChecksum = false;
  Bytes bytes;
  std::vector<Piece> pieces;
};

struct Script {
  bool wantMonitoring = false;
  bool wantWardRound = false;
  bool coarse = false;
  bool erase = false;
  int stopAt = -1;   // request number
  int breakAt = -1;  // request number
  std::vector<Answer> answers;
};

Script ReadScript(std::span<const std::uint8_t> input) {
  Script script;
  auto take = [&input]() -> std::uint8_t {
    if (input.empty()) return 0;
    const std::uint8_t byte = input.front();
    input = input.subspan(1);
    return byte;
  };
  const std::uint8_t options = take();
  script.wantMonitoring = options & 1;
  script.wantWardRound = options & 2;
  script.coarse = options & 4;
  script.erase = options & 8;
  script.stopAt = take() - 1;
  script.breakAt = take() - 1;
  while (!input.empty()) {
    Answer& answer = script.answers.emplace_back();
    const std::uint8_t first = input.front();
    answer.setLength = first & 0x10;
    answer.setIndex = first & 0x20;
    answer.setChecksum = first & 0x40;
    answer.writeFails = first & 0x80;
    for (bool more = true; more && !input.empty();) {
      const std::uint8_t control = take();
      const std::uint8_t high = take();  // two statements: the order of the reads is fixed
      const std::size_t length = std::size_t{high} << 8 | take();
      const std::size_t size = std::min(length, input.size());
      answer.bytes.insert(answer.bytes.end(), input.begin(), input.begin() + size);
      input = input.subspan(size);
      answer.pieces.push_back({200ms * (control & 7), answer.bytes.size()});
      more = control & 8;
    }
  }
  return script;
}

// The answer's bytes with the asked-for fields made right for `request`.
Bytes Complete(const Answer& answer, const Bytes& request) {
  Bytes bytes = answer.bytes;
  if (answer.setLength && bytes.size() >= 7) {
    const std::size_t length = bytes.size() >= 8 ? bytes.size() - 8 : 0;
    bytes[5] = static_cast<std::uint8_t>(length >> 8);
    bytes[6] = static_cast<std::uint8_t>(length);
  }
  if (answer.setIndex && bytes.size() >= 5) {
    bytes[3] = request[3];
    bytes[4] = request[4];
  }
  if (answer.setChecksum && bytes.size() >= 4) {
    bytes.back() = wd::Checksum(std::span(bytes).subspan(2, bytes.size() - 3));
  }
  return bytes;
}

// The peer and its link: answers each request from the script and keeps every byte it sent,
// in line order.
class Peer {
 public:
  Peer(const Script& script, wd::DownloadState& state)
      : link(clock, [this](const Bytes& request, int number,
                           wd::test::ScriptedLink&) { Reply(request, number); }),
        script_(script),
        state_(state) {
    for (std::size_t i = 0; i < script.answers.size(); ++i) {
      if (script.answers[i].writeFails) link.failingWrites.insert(static_cast<int>(i));
    }
  }

  const Bytes& sent() const { return sent_; }

  wd::test::VirtualClock clock;
  wd::test::ScriptedLink link;

 private:
  void Reply(const Bytes& request, int number) {
    if (number == script_.stopAt) state_.stopRequested = true;
    if (number == script_.breakAt) link.broken = true;
    if (number >= static_cast<int>(script_.answers.size())) return;
    const Bytes bytes = Complete(script_.answers[number], request);
    std::size_t start = 0;
    for (const Piece& piece : script_.answers[number].pieces) {
      link.Deliver(Bytes(bytes.begin() + start, bytes.begin() + piece.end), piece.delay);
      start = piece.end;
    }
    sent_.insert(sent_.end(), bytes.begin(), bytes.end());
  }

  const Script& script_;
  wd::DownloadState& state_;
  Bytes sent_;
};

class CheckedEvents final : public wd::DownloadEvents {
 public:
  explicit CheckedEvents(const wd::DownloadState& state) : state_(state) {}

  void OnProgress(wd::ProgressPhase phase, int value) override {
    FUZZ_EXPECT(finished_ == 0);
    FUZZ_EXPECT((phase == wd::ProgressPhase::Started) == progress_.empty());
    CheckCounts();
    if (phase == wd::ProgressPhase::Counted) {
      FUZZ_EXPECT(!counted_);
      counted_ = true;
    }
    if (phase == wd::ProgressPhase::Receiving) {
      FUZZ_EXPECT(counted_ && value >= lastPercent_ && value <= 100);
      lastPercent_ = value;
    }
    if (phase == wd::ProgressPhase::Finished) {
      ++finished_;
      result_ = value;
    }
    progress_.push_back(phase);
  }
  void OnMessage(wd::DeviceMessage message) override { messages_.push_back(message); }

  void CheckCounts() const {
    FUZZ_EXPECT(state_.monitoringReceived >= 0);
    FUZZ_EXPECT(state_.monitoringReceived <= std::max(0, state_.monitoringTotal.load()));
    FUZZ_EXPECT(state_.wardRoundReceived >= 0);
    FUZZ_EXPECT(state_.wardRoundReceived <= std::max(0, state_.wardRoundTotal.load()));
  }

  int finished() const { return finished_; }
  int result() const { return result_; }
  const std::vector<wd::DeviceMessage>& messages() const { return messages_; }

 private:
  const wd::DownloadState& state_;
  std::vector<wd::ProgressPhase> progress_;
  std::vector<wd::DeviceMessage> messages_;
  bool counted_ = false;
  int lastPercent_ = 10;
  int finished_ = 0;
  int result_ = -1;
};

// What a stored record may be: the person and record of a well-formed data reply found anywhere
// in what the peer sent, for an index the engine asked for with that command. Each key is the
// kind, the id and the stored record's bytes.
struct Provenance {
  std::set<Bytes> records;
  std::set<Bytes> persons;
};

Bytes Key(wd::RecordKind kind, std::span<const std::uint8_t> id, const wd::VitalRecord& record) {
  Bytes key{static_cast<std::uint8_t>(kind)};
  key.insert(key.end(), id.begin(), id.end());
  const auto bytes = record.ToBytes();
  key.insert(key.end(), bytes.begin(), bytes.end());
  return key;
}

void AddRecord(Provenance& out, wd::RecordKind kind, std::span<const std::uint8_t> id,
               std::span<const std::uint8_t> wire) {
  const auto record =
      wd::UnpackWireRecord(wd::WireRecord::FromBytes(wire.first<wd::WireRecord::kSize>()), kind);
  out.records.insert(Key(kind, id, record));
  out.persons.insert(Bytes(id.begin(), id.end()));
}

Provenance AcceptableRecords(const Bytes& sent, const std::vector<Bytes>& requests) {
  std::set<std::pair<std::uint8_t, std::uint16_t>> asked;  // command, index
  for (const Bytes& request : requests) {
    asked.insert({request[2], static_cast<std::uint16_t>(request[3] << 8 | request[4])});
  }
  constexpr std::size_t kId = wd::kPatientIdSize;
  constexpr std::size_t kWire = wd::WireRecord::kSize;
  Provenance out;
  for (std::size_t at = 0; at + wd::data_reply::kHeaderSize < sent.size(); ++at) {
    if (sent[at] != 0x55 || sent[at + 1] != 0xAA || sent[at + 2] != 0) continue;
    const std::uint16_t index = static_cast<std::uint16_t>(sent[at + 3] << 8 | sent[at + 4]);
    const std::size_t length = std::size_t{sent[at + 5]} << 8 | sent[at + 6];
    const std::size_t end = at + wd::data_reply::kHeaderSize + length + 1;
    if (end > sent.size()) continue;
    const auto frame = std::span(sent).subspan(at, end - at);
    if (!wd::data_reply::ChecksumMatches(frame)) continue;
    const auto payload = frame.subspan(wd::data_reply::kHeaderSize, length);
    if (asked.contains({0xEB, index}) && payload.size() >= kId) {
      const auto id = payload.first(kId);
      out.persons.insert(Bytes(id.begin(), id.end()));
      for (auto rest = payload.subspan(kId); rest.size() >= kWire; rest = rest.subspan(kWire)) {
        AddRecord(out, wd::RecordKind::Monitoring, id, rest);
      }
    }
    if (asked.contains({0xEA, index})) {
      for (auto rest = payload; rest.size() >= kId + kWire; rest = rest.subspan(kId + kWire)) {
        AddRecord(out, wd::RecordKind::WardRound, rest.first(kId), rest.subspan(kId));
      }
    }
  }
  return out;
}

// Every wait is bounded: a header, a pause after a bad one and the rest of the reply.
void CheckTimeSpent(const wd::test::VirtualClock& clock, std::size_t requests,
                    const wd::ReceiveTiming& timing) {
  const auto perRequest = 2 * timing.deadline + timing.badFramePause;
  FUZZ_EXPECT(clock.slept() <= perRequest * static_cast<long>(requests));
}

// Well-formed requests in the download's order: at most three count requests first, then only
// the wanted kinds, monitoring before ward-round, each kind's index never going back (no input
// is long enough to carry 65,536 records, where it would wrap).
void CheckRequests(const std::vector<Bytes>& requests, const Script& script) {
  std::size_t counts = 0;
  std::uint8_t phase = 0xEE;
  int lastIndex = 0;
  for (const Bytes& request : requests) {
    FUZZ_EXPECT(request.size() == wd::CommandPacket::kSize);
    const auto packet =
        wd::CommandPacket::Parse(std::span(request).first<wd::CommandPacket::kSize>());
    FUZZ_EXPECT(packet.has_value());
    const std::uint8_t code = packet->code();
    if (code == 0xEE) {
      FUZZ_EXPECT(phase == 0xEE && packet->index() == 0 && ++counts <= wd::kAttemptsPerRequest);
      continue;
    }
    FUZZ_EXPECT((code == 0xEB && script.wantMonitoring) || (code == 0xEA && script.wantWardRound));
    FUZZ_EXPECT(code <= phase);  // 0xEE, then 0xEB, then 0xEA
    if (code != phase) lastIndex = 0;
    phase = code;
    FUZZ_EXPECT(packet->index() >= lastIndex);
    lastIndex = packet->index();
  }
}

wd::ReceiveTiming Timing(const Script& script) {
  return script.coarse ? wd::ReceiveTiming::Coarse() : wd::ReceiveTiming{};
}

void RunErase(const Script& script) {
  wd::DownloadState unused;  // an erase has no stop flag
  Peer peer(script, unused);
  wd::test::ScriptedLink& link = peer.link;
  const wd::ClearSelection selection{script.wantMonitoring, script.wantWardRound};
  const wd::ClearOutcome outcome = wd::ClearDeviceData(link, peer.clock, selection, Timing(script));
  FUZZ_EXPECT(link.closed);
  FUZZ_EXPECT(!outcome.messages.empty() && outcome.messages.size() <= 2);
  const std::size_t selected = (selection.monitoring ? 1 : 0) + (selection.wardRound ? 1 : 0);
  FUZZ_EXPECT(link.requests.size() <= selected * wd::kAttemptsPerRequest);
  for (const Bytes& request : link.requests) FUZZ_EXPECT(request[2] == 0xE4);
  CheckTimeSpent(peer.clock, link.requests.size(), Timing(script));
}

void RunDownload(const Script& script) {
  wd::DownloadState state;
  state.PrepareStart(script.wantMonitoring, script.wantWardRound);
  state.portOpen = true;
  Peer peer(script, state);
  wd::test::ScriptedLink& link = peer.link;
  CheckedEvents events(state);
  wd::PatientStore store;
  const int result = wd::RunAcquisition(state, store, link, peer.clock, events, Timing(script));

  FUZZ_EXPECT(events.finished() == 1);
  FUZZ_EXPECT(events.result() == result);
  FUZZ_EXPECT(link.closed);
  FUZZ_EXPECT(!state.portOpen);
  events.CheckCounts();
  FUZZ_EXPECT(events.messages().size() <= 1);
  if (result == 1) {
    FUZZ_EXPECT(events.messages().empty());
    if (script.wantMonitoring && state.monitoringTotal > 0) {
      FUZZ_EXPECT(state.monitoringReceived == state.monitoringTotal);
    }
    if (script.wantWardRound && state.wardRoundTotal > 0) {
      FUZZ_EXPECT(state.wardRoundReceived == state.wardRoundTotal);
    }
  }
  if (script.stopAt >= 0) FUZZ_EXPECT(link.requests.size() <= std::size_t(script.stopAt) + 1);
  CheckTimeSpent(peer.clock, link.requests.size(), Timing(script));
  CheckRequests(link.requests, script);

  // Nothing in the store that no accepted reply carried, and no more than was counted.
  const Provenance acceptable = AcceptableRecords(peer.sent(), link.requests);
  std::size_t monitoring = 0;
  std::size_t wardRound = 0;
  auto reader = store.Read();
  for (const auto& entry : reader.entries()) {
    FUZZ_EXPECT(acceptable.persons.contains(Bytes(entry.key.bytes.begin(), entry.key.bytes.end())));
    for (const wd::VitalRecord& record : entry.records) {
      const auto kind =
          record.IsMonitoring() ? wd::RecordKind::Monitoring : wd::RecordKind::WardRound;
      FUZZ_EXPECT(acceptable.records.contains(Key(kind, entry.key.bytes, record)));
      ++(record.IsMonitoring() ? monitoring : wardRound);
    }
  }
  FUZZ_EXPECT(monitoring <= std::size_t(state.monitoringReceived.load()));
  FUZZ_EXPECT(wardRound <= std::size_t(state.wardRoundReceived.load()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Script script = ReadScript(std::span(data, size));
  if (script.erase) {
    RunErase(script);
  } else {
    RunDownload(script);
  }
  return 0;
}

#include "tools/monitor-sim/monitor_device.h"

#include <algorithm>

namespace wd::sim {
namespace {

// Records of one person, or entries, that take a payload past 4,992 bytes.
constexpr std::size_t kOversizedRecords = (4992 - kPatientIdSize) / WireRecord::kSize + 1;
constexpr std::size_t kWardRoundEntrySize = kPatientIdSize + WireRecord::kSize;
constexpr std::size_t kOversizedEntries = 4992 / kWardRoundEntrySize + 1;
constexpr std::uint8_t kGarbage[] = {0x13, 0x37, 0x00, 0xAA, 0x55};

using Frame = std::vector<std::uint8_t>;

void Append(Frame& reply, std::span<const std::uint8_t> bytes) {
  reply.insert(reply.end(), bytes.begin(), bytes.end());
}

// Recomputes the trailing checksum over bytes 2..n-2, as both reply kinds define it.
void Reseal(Frame& reply) {
  reply.back() = Checksum(std::span(reply).subspan(2, reply.size() - 3));
}

void PutIndex(Frame& reply, std::uint16_t value) {
  reply[3] = static_cast<std::uint8_t>(value >> 8);
  reply[4] = static_cast<std::uint8_t>(value);
}

Frame Refusal() { return data_reply::Build(kRefusedIndex, {}); }

Frame ApplyFault(Fault fault, Frame reply, std::uint16_t index, bool isShortReply) {
  switch (fault) {
    case Fault::NoReply: return {};
    case Fault::BadChecksum: ++reply.back(); break;
    case Fault::WrongIndex:
      PutIndex(reply, isShortReply ? std::uint16_t{0xFFFE} : static_cast<std::uint16_t>(index + 1));
      Reseal(reply);
      break;
    case Fault::Refuse:
      if (!isShortReply) return Refusal();
      PutIndex(reply, kRefusedIndex);
      Reseal(reply);
      break;
    case Fault::BadLength: {
      const std::uint16_t length = static_cast<std::uint16_t>((reply[5] << 8 | reply[6]) + 1);
      reply[5] = static_cast<std::uint8_t>(length >> 8);
      reply[6] = static_cast<std::uint8_t>(length);
      Reseal(reply);
      break;
    }
    case Fault::Garbage:
      reply.insert(reply.begin(), std::begin(kGarbage), std::end(kGarbage));
      break;
    case Fault::Cut: reply.resize(reply.size() / 2); break;
    case Fault::Oversized:    // applied while the page is built
    case Fault::Late: break;  // a matter of timing, not of bytes
  }
  return reply;
}

}  // namespace

MonitorDevice::MonitorDevice(DataSet data, DeviceOptions options, FaultPlan faults)
    : data_(std::move(data)), options_(options), faults_(std::move(faults)) {
  options_.perReply = std::max<std::size_t>(options_.perReply, 1);
  options_.wardPerReply = std::max<std::size_t>(options_.wardPerReply, 1);
  IndexMonitoring();
}

void MonitorDevice::IndexMonitoring() {
  patientStarts_.clear();
  std::size_t start = 0;
  for (const MonitoringPatient& patient : data_.monitoring) {
    patientStarts_.push_back(start);
    start += patient.records.size();
  }
}

std::vector<Reply> MonitorDevice::Feed(std::span<const std::uint8_t> bytes) {
  stats_.bytesIn += bytes.size();
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  std::vector<Reply> replies;
  std::size_t at = 0;
  while (pending_.size() - at >= CommandPacket::kSize) {
    const auto candidate = std::span(pending_).subspan(at).first<CommandPacket::kSize>();
    if (const auto request = CommandPacket::Parse(candidate)) {
      if (Reply reply = Answer(*request); !reply.empty()) replies.push_back(std::move(reply));
      at += CommandPacket::kSize;
    } else {
      ++at;  // resynchronise on the next 55 AA
    }
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
  return replies;
}

Reply MonitorDevice::Answer(const CommandPacket& request) {
  const std::optional<Fault> fault = faults_.At(stats_.requests++);
  if (fault == Fault::NoReply) return {};
  Reply reply{CleanReply(request, fault == Fault::Oversized)};
  if (reply.empty()) return reply;
  if (fault) {
    const bool isShortReply = request.code() == static_cast<std::uint8_t>(Command::Count) ||
                              request.code() == static_cast<std::uint8_t>(Command::Clear);
    reply.bytes = ApplyFault(*fault, std::move(reply.bytes), request.index(), isShortReply);
  }
  if (fault == Fault::Late) {
    reply.heldFrom = reply.bytes.size() / 2;
    reply.heldFor = kLateReplyAfter;
  }
  ++stats_.replies;
  stats_.bytesOut += reply.bytes.size();
  return reply;
}

bool MonitorDevice::ShouldDisconnect() const {
  return faults_.disconnectAfterReplies && stats_.replies >= *faults_.disconnectAfterReplies;
}

MonitorDevice::Frame MonitorDevice::CleanReply(const CommandPacket& request, bool oversized) {
  switch (static_cast<Command>(request.code())) {
    case Command::Count: {
      const auto reply = short_reply::Build(kMonitoringStoreEcho,
                                            static_cast<std::uint32_t>(data_.wardRound.size()),
                                            static_cast<std::uint32_t>(data_.MonitoringCount()));
      return Frame(reply.begin(), reply.end());
    }
    case Command::Monitoring: return MonitoringPage(request.index(), oversized);
    case Command::WardRound: return WardRoundPage(request.index(), oversized);
    case Command::Clear: return Erase(request.index());
  }
  return {};  // an unknown command goes unanswered
}

MonitorDevice::Frame MonitorDevice::MonitoringPage(std::uint16_t index, bool oversized) const {
  if (index >= data_.MonitoringCount()) return Refusal();
  const auto next = std::upper_bound(patientStarts_.begin(), patientStarts_.end(), index);
  const std::size_t person = static_cast<std::size_t>(next - patientStarts_.begin()) - 1;
  const MonitoringPatient& patient = data_.monitoring[person];
  const std::size_t first = index - patientStarts_[person];
  const std::size_t wanted =
      oversized ? std::max(options_.perReply, kOversizedRecords) : options_.perReply;
  const std::size_t count = std::min(wanted, patient.records.size() - first);
  Frame payload(patient.id.bytes.begin(), patient.id.bytes.end());
  for (std::size_t i = 0; i < count; ++i)
    Append(payload, PackWireRecord(patient.records[first + i]).bytes);
  return data_reply::Build(index, payload);
}

MonitorDevice::Frame MonitorDevice::WardRoundPage(std::uint16_t index, bool oversized) const {
  if (index >= data_.wardRound.size()) return Refusal();
  const std::size_t wanted =
      oversized ? std::max(options_.wardPerReply, kOversizedEntries) : options_.wardPerReply;
  const std::size_t count = std::min(wanted, data_.wardRound.size() - index);
  Frame payload;
  for (std::size_t i = 0; i < count; ++i) {
    const WardRoundEntry& entry = data_.wardRound[index + i];
    Append(payload, entry.id.bytes);
    Append(payload, PackWireRecord(entry.record).bytes);
  }
  return data_reply::Build(index, payload);
}

MonitorDevice::Frame MonitorDevice::Erase(std::uint16_t store) {
  if (store == kMonitoringStoreEcho) {
    data_.monitoring.clear();
    IndexMonitoring();
  } else if (store == kWardRoundStoreEcho) {
    data_.wardRound.clear();
  } else {
    return {};
  }
  const auto reply = short_reply::Build(store, 0, 0);
  return Frame(reply.begin(), reply.end());
}

}  // namespace wd::sim

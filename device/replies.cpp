#include "device/replies.h"

#include <span>

namespace wd {
namespace {

constexpr std::size_t kWardRoundEntrySize = kPatientIdSize + WireRecord::kSize;

ReplyStatus FromReceive(ReceiveStatus status) {
  switch (status) {
    case ReceiveStatus::Ok: return ReplyStatus::Ok;
    case ReceiveStatus::Timeout: return ReplyStatus::NoReply;
    case ReceiveStatus::LinkError: return ReplyStatus::LinkError;
  }
  return ReplyStatus::LinkError;
}

ReplyStatus FromShortCheck(short_reply::Check check) {
  switch (check) {
    case short_reply::Check::Ok: return ReplyStatus::Ok;
    case short_reply::Check::BadChecksum: return ReplyStatus::BadChecksum;
    case short_reply::Check::BadHeader: return ReplyStatus::BadHeader;
    case short_reply::Check::BadLength: return ReplyStatus::BadLength;
  }
  return ReplyStatus::BadHeader;
}

// Receives and checks one data reply. On success `frame` holds header, payload and checksum,
// sized from the length field, so no length the device sends can overrun it.
ReplyStatus ReceiveDataReply(DeviceChannel& channel, std::uint16_t index,
                             std::span<const std::uint8_t>& payload) {
  std::vector<std::uint8_t>& frame = channel.FrameBuffer();
  data_reply::HeaderBytes raw{};
  if (ReplyStatus got = FromReceive(channel.Receive(raw)); got != ReplyStatus::Ok) return got;
  data_reply::Header header;
  switch (data_reply::VerifyHeader(raw, index, header)) {
    case data_reply::HeaderCheck::Ok: break;
    case data_reply::HeaderCheck::BadHeader:
      channel.PauseAfterBadFrame();
      return ReplyStatus::BadHeader;
    case data_reply::HeaderCheck::Refused: return ReplyStatus::Refused;
    case data_reply::HeaderCheck::WrongIndex:
      channel.PauseAfterBadFrame();
      return ReplyStatus::WrongIndex;
  }
  frame.assign(data_reply::kHeaderSize + header.length + 1u, 0);
  std::copy(raw.begin(), raw.end(), frame.begin());
  const auto rest = std::span(frame).subspan(data_reply::kHeaderSize);
  if (ReplyStatus got = FromReceive(channel.Receive(rest)); got != ReplyStatus::Ok) return got;
  if (!data_reply::ChecksumMatches(frame)) return ReplyStatus::BadChecksum;
  payload = std::span<const std::uint8_t>(frame).subspan(data_reply::kHeaderSize, header.length);
  return ReplyStatus::Ok;
}

ReplyStatus ReceiveShortReply(DeviceChannel& channel, std::uint16_t echo, short_reply::Bytes& reply,
                              short_reply::Check& check) {
  reply.fill(0);
  if (ReplyStatus got = FromReceive(channel.Receive(reply)); got != ReplyStatus::Ok) return got;
  check = short_reply::Verify(reply, echo);
  return FromShortCheck(check);
}

}  // namespace

std::string_view Describe(ReplyStatus status) {
  switch (status) {
    case ReplyStatus::Ok: return "ok";
    case ReplyStatus::NoReply: return "no reply";
    case ReplyStatus::LinkError: return "port error";
    case ReplyStatus::BadHeader: return "bad header";
    case ReplyStatus::Refused: return "refused";
    case ReplyStatus::WrongIndex: return "wrong index";
    case ReplyStatus::BadChecksum: return "bad checksum";
    case ReplyStatus::BadLength: return "bad length";
  }
  return "unknown";
}

ReplyStatus ReadCountReply(DeviceChannel& channel, DownloadState& state) {
  short_reply::Bytes reply;
  short_reply::Check check = short_reply::Check::Ok;
  const ReplyStatus status = ReceiveShortReply(channel, kMonitoringStoreEcho, reply, check);
  if (status == ReplyStatus::Ok || check == short_reply::Check::BadLength) {
    // The totals are 32-bit unsigned on the wire and kept as their bit pattern.
    state.wardRoundTotal = static_cast<std::int32_t>(short_reply::WardRoundTotal(reply));
    state.monitoringTotal = static_cast<std::int32_t>(short_reply::MonitoringTotal(reply));
  }
  return status;
}

ReplyStatus ReadMonitoringReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                                std::uint16_t index, AcceptedRecords* accepted) {
  std::span<const std::uint8_t> payload;
  if (ReplyStatus got = ReceiveDataReply(channel, index, payload); got != ReplyStatus::Ok) {
    return got;
  }
  std::size_t taken = 0;
  std::size_t stored = 0;
  // A payload too short for an id names nobody: file nothing rather than a person made of
  // whatever follows it.
  if (payload.size() >= kPatientIdSize) {
    auto writer = store.Write();
    RecordList& list =
        writer.FindOrCreateRecordList(PatientId::FromBytes(payload.first<kPatientIdSize>()));
    const std::int32_t total = state.monitoringTotal;
    for (auto rest = payload.subspan(kPatientIdSize);
         rest.size() >= WireRecord::kSize && state.monitoringReceived < total;
         rest = rest.subspan(WireRecord::kSize)) {
      stored += writer.AddRecordUnique(list, WireRecord::FromBytes(rest.first<WireRecord::kSize>()),
                                       RecordKind::Monitoring);
      ++taken;
      ++state.monitoringReceived;
    }
  }
  if (accepted) *accepted = AcceptedRecords(RecordKind::Monitoring, payload, taken, stored);
  return ReplyStatus::Ok;
}

ReplyStatus ReadWardRoundReply(DeviceChannel& channel, DownloadState& state, PatientStore& store,
                               std::uint16_t index, AcceptedRecords* accepted) {
  std::span<const std::uint8_t> payload;
  if (ReplyStatus got = ReceiveDataReply(channel, index, payload); got != ReplyStatus::Ok) {
    return got;
  }
  std::size_t taken = 0;
  std::size_t stored = 0;
  {
    auto writer = store.Write();
    const std::int32_t total = state.wardRoundTotal;
    for (auto rest = payload; rest.size() >= kWardRoundEntrySize && state.wardRoundReceived < total;
         rest = rest.subspan(kWardRoundEntrySize)) {
      RecordList& list =
          writer.FindOrCreateRecordList(PatientId::FromBytes(rest.first<kPatientIdSize>()));
      stored += writer.AddRecordUnique(
          list, WireRecord::FromBytes(rest.subspan<kPatientIdSize, WireRecord::kSize>()),
          RecordKind::WardRound);
      ++taken;
      ++state.wardRoundReceived;
    }
  }
  if (accepted) *accepted = AcceptedRecords(RecordKind::WardRound, payload, taken, stored);
  return ReplyStatus::Ok;
}

ReplyStatus ReadClearReply(DeviceChannel& channel, ClearTarget target) {
  short_reply::Bytes reply;
  short_reply::Check check = short_reply::Check::Ok;
  const std::uint16_t echo =
      target == ClearTarget::Monitoring ? kMonitoringStoreEcho : kWardRoundStoreEcho;
  return ReceiveShortReply(channel, echo, reply, check);
}

}  // namespace wd

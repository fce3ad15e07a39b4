#include "device/frames.h"

#include <algorithm>

namespace wd {
namespace {

constexpr std::uint8_t kSync0 = 0x55;
constexpr std::uint8_t kSync1 = 0xAA;

void PutBigEndian16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 8);
  at[1] = static_cast<std::uint8_t>(value);
}
void PutBigEndian32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}
std::uint16_t BigEndian16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] << 8 | at[1]);
}
std::uint32_t BigEndian32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
         at[3];
}
bool HasReplySync(const std::uint8_t* at) {
  return at[0] == kSync0 && at[1] == kSync1 && at[2] == 0x00;
}

}  // namespace

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (std::uint8_t byte : bytes) sum += byte;
  return static_cast<std::uint8_t>(sum);
}

CommandPacket CommandPacket::Make(Command command, std::uint16_t index) {
  CommandPacket packet;
  packet.bytes = {kSync0, kSync1, static_cast<std::uint8_t>(command), 0, 0, 0};
  PutBigEndian16(&packet.bytes[3], index);
  packet.bytes[5] = Checksum(std::span(packet.bytes).subspan(2, 3));
  return packet;
}

std::optional<CommandPacket> CommandPacket::Parse(std::span<const std::uint8_t, kSize> raw) {
  if (raw[0] != kSync0 || raw[1] != kSync1) return std::nullopt;
  if (Checksum(raw.subspan(2, 3)) != raw[5]) return std::nullopt;
  CommandPacket packet;
  std::copy(raw.begin(), raw.end(), packet.bytes.begin());
  return packet;
}

namespace short_reply {

Check Verify(const Bytes& reply, std::uint16_t echo) {
  if (Checksum(std::span(reply).subspan(2, kSize - 3)) != reply[kSize - 1]) {
    return Check::BadChecksum;
  }
  if (!HasReplySync(reply.data()) || BigEndian16(&reply[3]) != echo) return Check::BadHeader;
  if (BigEndian16(&reply[5]) != kLength) return Check::BadLength;
  return Check::Ok;
}

std::uint32_t WardRoundTotal(const Bytes& reply) { return BigEndian32(&reply[7]); }
std::uint32_t MonitoringTotal(const Bytes& reply) { return BigEndian32(&reply[11]); }

Bytes Build(std::uint16_t echo, std::uint32_t wardRoundTotal, std::uint32_t monitoringTotal,
            std::uint16_t length) {
  Bytes reply{kSync0, kSync1, 0x00};
  PutBigEndian16(&reply[3], echo);
  PutBigEndian16(&reply[5], length);
  PutBigEndian32(&reply[7], wardRoundTotal);
  PutBigEndian32(&reply[11], monitoringTotal);
  reply[kSize - 1] = Checksum(std::span(reply).subspan(2, kSize - 3));
  return reply;
}

}  // namespace short_reply

namespace data_reply {

HeaderCheck VerifyHeader(const HeaderBytes& raw, std::uint16_t requestedIndex, Header& out) {
  if (!HasReplySync(raw.data())) return HeaderCheck::BadHeader;
  out.index = BigEndian16(&raw[3]);
  out.length = BigEndian16(&raw[5]);
  if (out.index == kRefusedIndex) return HeaderCheck::Refused;
  if (out.index != requestedIndex) return HeaderCheck::WrongIndex;
  return HeaderCheck::Ok;
}

bool ChecksumMatches(std::span<const std::uint8_t> frame) {
  if (frame.size() < kHeaderSize + 1) return false;
  return Checksum(frame.subspan(2, frame.size() - 3)) == frame.back();
}

std::vector<std::uint8_t> Build(std::uint16_t index, std::span<const std::uint8_t> payload) {
  const std::size_t length = std::min(payload.size(), kMaxPayload);
  std::vector<std::uint8_t> frame(kHeaderSize + length + 1);
  frame[0] = kSync0;
  frame[1] = kSync1;
  PutBigEndian16(&frame[3], index);
  PutBigEndian16(&frame[5], static_cast<std::uint16_t>(length));
  std::copy_n(payload.begin(), length, frame.begin() + kHeaderSize);
  frame.back() = Checksum(std::span(frame).subspan(2, frame.size() - 3));
  return frame;
}

}  // namespace data_reply

}  // namespace wd

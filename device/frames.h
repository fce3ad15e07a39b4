#pragma once
// The monitor's frames: 6-byte requests, 38-byte short replies and data replies with a 7-byte
// header, a payload and an additive checksum. Counts, indices and lengths are big-endian.
// Encoding and checking only; waiting for bytes is the channel's job.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace wd {

enum class Command : std::uint8_t {
  Count = 0xEE,       // both stores' record counts
  Monitoring = 0xEB,  // monitoring records from an index
  WardRound = 0xEA,   // ward-round records from an index
  Clear = 0xE4,       // erase one store
};

// Echo fields of the short replies, and the index fields of the erase requests.
inline constexpr std::uint16_t kMonitoringStoreEcho = 0xFFFF;
inline constexpr std::uint16_t kWardRoundStoreEcho = 0x0000;
// A data reply carrying this index refuses the request.
inline constexpr std::uint16_t kRefusedIndex = 0xFFFC;

// Sum of the bytes, modulo 256.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// Indices are 16 bits on the wire; the running counts are wider and only their low bits go out.
inline std::uint16_t WireIndex(std::int64_t count) { return static_cast<std::uint16_t>(count); }

struct CommandPacket {
  static constexpr std::size_t kSize = 6;
  std::array<std::uint8_t, kSize> bytes{};

  static CommandPacket Make(Command command, std::uint16_t index);
  // The device's side: a request with a valid header and checksum, else nullopt.
  static std::optional<CommandPacket> Parse(std::span<const std::uint8_t, kSize> raw);

  std::uint8_t code() const { return bytes[2]; }
  std::uint16_t index() const { return static_cast<std::uint16_t>(bytes[3] << 8 | bytes[4]); }
};

namespace short_reply {

inline constexpr std::size_t kSize = 38;
inline constexpr std::uint16_t kLength = 30;
using Bytes = std::array<std::uint8_t, kSize>;

enum class Check { Ok, BadChecksum, BadHeader, BadLength };

// Checksum first, then 55 AA 00 and the echo, then the length word.
Check Verify(const Bytes& reply, std::uint16_t echo);
std::uint32_t WardRoundTotal(const Bytes& reply);
std::uint32_t MonitoringTotal(const Bytes& reply);

Bytes Build(std::uint16_t echo, std::uint32_t wardRoundTotal, std::uint32_t monitoringTotal,
            std::uint16_t length = kLength);

}  // namespace short_reply

namespace data_reply {

inline constexpr std::size_t kHeaderSize = 7;
inline constexpr std::size_t kMaxPayload = 0xFFFF;
using HeaderBytes = std::array<std::uint8_t, kHeaderSize>;

struct Header {
  std::uint16_t index = 0;
  std::uint16_t length = 0;  // payload bytes; one checksum byte follows them
};

enum class HeaderCheck { Ok, BadHeader, Refused, WrongIndex };

HeaderCheck VerifyHeader(const HeaderBytes& raw, std::uint16_t requestedIndex, Header& out);
// `frame` is the whole reply: header, payload and the checksum byte.
bool ChecksumMatches(std::span<const std::uint8_t> frame);

std::vector<std::uint8_t> Build(std::uint16_t index, std::span<const std::uint8_t> payload);

}  // namespace data_reply

}  // namespace wd

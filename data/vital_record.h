#pragma once
// One measurement set: its 20-byte stored form (also the data files' unit) and the 18-byte
// packed form the monitor sends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace wd {

enum class RecordKind : std::uint8_t { Monitoring = 0, WardRound = 1 };

// Field order and widths are the file format; all 16-bit values are little-endian on disk.
struct VitalRecord {
  std::uint8_t kind;  // 0 = monitoring; every non-zero value reads as ward-round
  std::uint8_t year;  // years since 2000
  std::uint8_t month;
  std::uint8_t day;
  std::uint8_t hour;
  std::uint8_t minute;
  std::uint8_t pi;  // perfusion index in tenths
  std::uint8_t etco2;
  std::uint8_t fico2;
  std::uint8_t respiration;
  std::uint16_t systolic;
  std::uint16_t diastolic;
  std::uint16_t mean;
  std::uint8_t spo2;
  std::uint8_t pulse;
  std::uint16_t temperature;  // tenths of a degree Celsius

  static constexpr std::size_t kSize = 20;
  using Bytes = std::array<std::uint8_t, kSize>;

  bool IsMonitoring() const { return kind == 0; }
  // Minute resolution: the key of the duplicate rule.
  std::uint64_t MinuteKey() const {
    return (std::uint64_t{year} << 32) | (std::uint64_t{month} << 24) | (std::uint64_t{day} << 16) |
           (std::uint64_t{hour} << 8) | minute;
  }

  Bytes ToBytes() const;
  static VitalRecord FromBytes(std::span<const std::uint8_t, kSize> raw);
};

static_assert(sizeof(VitalRecord) == 20);
static_assert(offsetof(VitalRecord, respiration) == 9);
static_assert(offsetof(VitalRecord, systolic) == 10);
static_assert(offsetof(VitalRecord, diastolic) == 12);
static_assert(offsetof(VitalRecord, mean) == 14);
static_assert(offsetof(VitalRecord, spo2) == 16);
static_assert(offsetof(VitalRecord, pulse) == 17);
static_assert(offsetof(VitalRecord, temperature) == 18);

// The monitor's packed record: a 16-bit date (7 bits year, 4 month, 5 day), no kind byte,
// and a field order different from the stored one.
struct WireRecord {
  static constexpr std::size_t kSize = 18;
  std::array<std::uint8_t, kSize> bytes{};

  static WireRecord FromBytes(std::span<const std::uint8_t, kSize> raw) {
    WireRecord wire;
    std::copy(raw.begin(), raw.end(), wire.bytes.begin());
    return wire;
  }
};

// Field-by-field conversion; values are stored as received, unchecked.
VitalRecord UnpackWireRecord(const WireRecord& wire, RecordKind kind);
// The inverse, for the monitor simulator and tests.
WireRecord PackWireRecord(const VitalRecord& record);

}  // namespace wd

#include "data/vital_record.h"

namespace wd {
namespace {

// One field of a layout: where it sits in the bytes and which member it is. Packing and
// unpacking walk the same table, so the two directions cannot drift apart.
struct Field {
  std::size_t offset;
  std::uint8_t VitalRecord::*narrow = nullptr;  // a one-byte field, or
  std::uint16_t VitalRecord::*wide = nullptr;   // a little-endian two-byte field
};

constexpr Field Byte(std::size_t offset, std::uint8_t VitalRecord::*member) {
  return {offset, member, nullptr};
}
constexpr Field Word(std::size_t offset, std::uint16_t VitalRecord::*member) {
  return {offset, nullptr, member};
}

// The stored record (".mDat", ".cDat", memory): 20 bytes in member order.
constexpr Field kStoredLayout[] = {
    Byte(0, &VitalRecord::kind),      Byte(1, &VitalRecord::year),
    Byte(2, &VitalRecord::month),     Byte(3, &VitalRecord::day),
    Byte(4, &VitalRecord::hour),      Byte(5, &VitalRecord::minute),
    Byte(6, &VitalRecord::pi),        Byte(7, &VitalRecord::etco2),
    Byte(8, &VitalRecord::fico2),     Byte(9, &VitalRecord::respiration),
    Word(10, &VitalRecord::systolic), Word(12, &VitalRecord::diastolic),
    Word(14, &VitalRecord::mean),     Byte(16, &VitalRecord::spo2),
    Byte(17, &VitalRecord::pulse),    Word(18, &VitalRecord::temperature),
};

// The monitor's record after its packed date (bytes 0-1, below): SpO2 and pulse rate first, the
// temperature last, and no kind byte.
constexpr Field kWireLayout[] = {
    Byte(2, &VitalRecord::hour),      Byte(3, &VitalRecord::minute),
    Byte(4, &VitalRecord::spo2),      Byte(5, &VitalRecord::pulse),
    Byte(6, &VitalRecord::pi),        Byte(7, &VitalRecord::etco2),
    Byte(8, &VitalRecord::fico2),     Byte(9, &VitalRecord::respiration),
    Word(10, &VitalRecord::systolic), Word(12, &VitalRecord::diastolic),
    Word(14, &VitalRecord::mean),     Word(16, &VitalRecord::temperature),
};

template <std::size_t N>
void Pack(const VitalRecord& record, const Field (&layout)[N], std::uint8_t* out) {
  for (const Field& field : layout) {
    if (field.narrow != nullptr) {
      out[field.offset] = record.*field.narrow;
    } else {
      const std::uint16_t value = record.*field.wide;
      out[field.offset] = static_cast<std::uint8_t>(value & 0xFF);
      out[field.offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }
  }
}

template <std::size_t N>
void Unpack(const std::uint8_t* in, const Field (&layout)[N], VitalRecord& record) {
  for (const Field& field : layout) {
    if (field.narrow != nullptr) {
      record.*field.narrow = in[field.offset];
    } else {
      record.*field.wide =
          static_cast<std::uint16_t>(in[field.offset] | (in[field.offset + 1] << 8));
    }
  }
}

}  // namespace

VitalRecord::Bytes VitalRecord::ToBytes() const {
  Bytes out{};
  Pack(*this, kStoredLayout, out.data());
  return out;
}

VitalRecord VitalRecord::FromBytes(std::span<const std::uint8_t, kSize> raw) {
  VitalRecord record{};
  Unpack(raw.data(), kStoredLayout, record);
  return record;
}

// The packed date: year since 2000 in bits 15..9, month in 8..5 (its top bit in byte 0), day in
// 4..0, byte 0 first.
VitalRecord UnpackWireRecord(const WireRecord& wire, RecordKind kind) {
  const std::uint8_t* b = wire.bytes.data();
  VitalRecord record{};
  record.kind = static_cast<std::uint8_t>(kind);
  record.year = static_cast<std::uint8_t>(b[0] >> 1);
  record.month = static_cast<std::uint8_t>(((b[0] & 1) << 3) | (b[1] >> 5));
  record.day = static_cast<std::uint8_t>(b[1] & 0x1F);
  Unpack(b, kWireLayout, record);
  return record;
}

WireRecord PackWireRecord(const VitalRecord& record) {
  WireRecord wire;
  std::uint8_t* b = wire.bytes.data();
  b[0] = static_cast<std::uint8_t>(((record.year & 0x7F) << 1) | ((record.month >> 3) & 1));
  b[1] = static_cast<std::uint8_t>(((record.month & 0x7) << 5) | (record.day & 0x1F));
  Pack(record, kWireLayout, b);
  return wire;
}

}  // namespace wd

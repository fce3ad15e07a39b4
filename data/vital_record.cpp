#include "data/vital_record.h"

namespace wd {
namespace {

std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void WriteLe16(std::uint8_t* p, std::uint16_t value) {
  p[0] = static_cast<std::uint8_t>(value & 0xFF);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

VitalRecord::Bytes VitalRecord::ToBytes() const {
  Bytes out{};
  out[0] = kind;
  out[1] = year;
  out[2] = month;
  out[3] = day;
  out[4] = hour;
  out[5] = minute;
  out[6] = pi;
  out[7] = etco2;
  out[8] = fico2;
  out[9] = respiration;
  WriteLe16(&out[10], systolic);
  WriteLe16(&out[12], diastolic);
  WriteLe16(&out[14], mean);
  out[16] = spo2;
  out[17] = pulse;
  WriteLe16(&out[18], temperature);
  return out;
}

VitalRecord VitalRecord::FromBytes(std::span<const std::uint8_t, kSize> raw) {
  VitalRecord record{};
  record.kind = raw[0];
  record.year = raw[1];
  record.month = raw[2];
  record.day = raw[3];
  record.hour = raw[4];
  record.minute = raw[5];
  record.pi = raw[6];
  record.etco2 = raw[7];
  record.fico2 = raw[8];
  record.respiration = raw[9];
  record.systolic = ReadLe16(&raw[10]);
  record.diastolic = ReadLe16(&raw[12]);
  record.mean = ReadLe16(&raw[14]);
  record.spo2 = raw[16];
  record.pulse = raw[17];
  record.temperature = ReadLe16(&raw[18]);
  return record;
}

VitalRecord UnpackWireRecord(const WireRecord& wire, RecordKind kind) {
  const std::uint8_t* b = wire.bytes.data();
  VitalRecord record{};
  record.kind = static_cast<std::uint8_t>(kind);
  record.year = static_cast<std::uint8_t>(b[0] >> 1);
  record.month = static_cast<std::uint8_t>(((b[0] & 1) << 3) | (b[1] >> 5));
  record.day = static_cast<std::uint8_t>(b[1] & 0x1F);
  record.hour = b[2];
  record.minute = b[3];
  record.spo2 = b[4];
  record.pulse = b[5];
  record.pi = b[6];
  record.etco2 = b[7];
  record.fico2 = b[8];
  record.respiration = b[9];
  record.systolic = ReadLe16(&b[10]);
  record.diastolic = ReadLe16(&b[12]);
  record.mean = ReadLe16(&b[14]);
  record.temperature = ReadLe16(&b[16]);
  return record;
}

WireRecord PackWireRecord(const VitalRecord& record) {
  WireRecord wire;
  std::uint8_t* b = wire.bytes.data();
  b[0] = static_cast<std::uint8_t>(((record.year & 0x7F) << 1) | ((record.month >> 3) & 1));
  b[1] = static_cast<std::uint8_t>(((record.month & 0x7) << 5) | (record.day & 0x1F));
  b[2] = record.hour;
  b[3] = record.minute;
  b[4] = record.spo2;
  b[5] = record.pulse;
  b[6] = record.pi;
  b[7] = record.etco2;
  b[8] = record.fico2;
  b[9] = record.respiration;
  WriteLe16(&b[10], record.systolic);
  WriteLe16(&b[12], record.diastolic);
  WriteLe16(&b[14], record.mean);
  WriteLe16(&b[16], record.temperature);
  return wire;
}

}  // namespace wd

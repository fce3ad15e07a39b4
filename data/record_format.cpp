#include "data/record_format.h"

#include <cstdio>
#include <string>

namespace wd {

std::string FormatRecordDate(const VitalRecord& record) {
  char text[32];
  std::snprintf(text, sizeof text, "%d-%d-%d", 2000 + record.year, record.month, record.day);
  return text;
}

std::string FormatRecordTime(const VitalRecord& record) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", record.hour, record.minute);
  return text;
}

std::string FormatTenths(int tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
  return text;
}

std::string FormatField(const VitalRecord& r, RecordField field) {
  switch (field) {
    case RecordField::Spo2: return std::to_string(r.spo2);
    case RecordField::Pulse: return std::to_string(r.pulse);
    case RecordField::Pi: return FormatTenths(r.pi);
    case RecordField::Systolic: return std::to_string(r.systolic);
    case RecordField::Diastolic: return std::to_string(r.diastolic);
    case RecordField::Mean: return std::to_string(r.mean);
    case RecordField::Temperature: return FormatTenths(r.temperature);
    case RecordField::Etco2: return std::to_string(r.etco2);
    case RecordField::Fico2: return std::to_string(r.fico2);
    case RecordField::Respiration: return std::to_string(r.respiration);
  }
  return {};
}

}  // namespace wd

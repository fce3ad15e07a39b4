#include "data/record_format.h"

#include <cstdio>

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

}  // namespace wd

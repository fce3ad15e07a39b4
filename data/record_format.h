#pragma once
// Display texts of a record's fields, as every list of the program shows them.

#include <string>

#include "data/vital_record.h"

namespace wd {

// "2019-6-24": four-digit year, unpadded month and day.
std::string FormatRecordDate(const VitalRecord& record);
// "09:05": zero-padded hour and minute.
std::string FormatRecordTime(const VitalRecord& record);
// Values kept in tenths ("%.1f" of value / 10): 370 -> "37.0", 15 -> "1.5".
std::string FormatTenths(int tenths);

// The measurement columns of the record lists, in their display order.
enum class RecordField {
  Spo2,
  Pulse,
  Pi,
  Systolic,
  Diastolic,
  Mean,
  Temperature,
  Etco2,
  Fico2,
  Respiration
};
// A measurement as the lists print it: "%d", or "%.1f" of tenths for PI and temperature.
std::string FormatField(const VitalRecord& record, RecordField field);

}  // namespace wd

#pragma once
// One person's monitoring minutes as the figures and the report charts see them: records whose
// date and time are real, in time order, one per minute.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/record_list.h"
#include "data/vital_record.h"

namespace wd {

// Minutes since 1970-01-01 00:00 on the records' own local calendar.
using Minute = std::int64_t;
inline constexpr Minute kMinutesPerDay = 1440;

// Nothing unless the bytes are a real date and time: year 0..127, month 1..12, a day that month
// has, hour 0..23, minute 0..59.
std::optional<Minute> RealRecordMinute(const VitalRecord& record);
Minute MinuteOf(int year, int month, int day, int hour, int minute);

// "2023-06-24 09:05".
std::string FormatMinute(Minute minute);

struct TimedRecord {
  Minute minute;
  const VitalRecord* record;
};

struct Timeline {
  std::vector<TimedRecord> minutes;  // ascending, no two alike
  std::size_t excluded = 0;          // monitoring records left out: no real time, or a repeat
};

// Over the monitoring records (other kinds are ignored): those without a real time are left
// out, the rest sorted by time with ties in list order, and a record of the same minute as the
// one kept before it is left out. The timeline points into the records given.
Timeline BuildTimeline(const RecordList& records);
Timeline BuildTimeline(std::span<const VitalRecord> records);

}  // namespace wd

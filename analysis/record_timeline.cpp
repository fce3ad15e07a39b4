#include "analysis/record_timeline.h"

#include <algorithm>
#include <cstdio>

#include "data/calendar.h"

namespace wd {
namespace {

// Stable. Minutes of one stay are dense, so a count per minute sorts in linear time; records
// scattered over years fall back to a merge sort.
void SortByMinute(std::vector<TimedRecord>& records) {
  const auto earlier = [](const TimedRecord& a, const TimedRecord& b) {
    return a.minute < b.minute;
  };
  if (std::is_sorted(records.begin(), records.end(), earlier)) return;
  const auto [low, high] = std::minmax_element(records.begin(), records.end(), earlier);
  const auto span = static_cast<std::uint64_t>(high->minute - low->minute) + 1;
  if (span > 4 * records.size() + 4096) {
    std::stable_sort(records.begin(), records.end(), earlier);
    return;
  }
  const Minute first = low->minute;
  std::vector<std::uint32_t> starts(span + 1, 0);
  for (const TimedRecord& record : records) ++starts[record.minute - first + 1];
  for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
  std::vector<TimedRecord> sorted(records.size());
  for (const TimedRecord& record : records) sorted[starts[record.minute - first]++] = record;
  records.swap(sorted);
}

template <typename Records>
Timeline BuildFrom(const Records& records) {
  Timeline timeline;
  std::vector<TimedRecord>& kept = timeline.minutes;
  kept.reserve(records.size());
  // A day holds 1,440 records: convert each date once, not once per record.
  std::uint32_t lastDate = 0;  // year, month and day bytes; month 0 is never a real date
  Minute lastDayStart = 0;
  for (const VitalRecord& record : records) {
    if (!record.IsMonitoring()) continue;
    const std::uint32_t date =
        (std::uint32_t{record.year} << 16) | (record.month << 8) | record.day;
    if (date == lastDate && record.hour < 24 && record.minute < 60) {
      kept.push_back({lastDayStart + record.hour * 60 + record.minute, &record});
    } else if (const std::optional<Minute> minute = RealRecordMinute(record)) {
      kept.push_back({*minute, &record});
      lastDate = date;
      lastDayStart = *minute - (record.hour * 60 + record.minute);
    } else {
      ++timeline.excluded;
    }
  }
  SortByMinute(kept);
  const auto repeat = [](const TimedRecord& a, const TimedRecord& b) {
    return a.minute == b.minute;
  };
  const auto end = std::unique(kept.begin(), kept.end(), repeat);
  timeline.excluded += static_cast<std::size_t>(kept.end() - end);
  kept.erase(end, kept.end());
  return timeline;
}

}  // namespace

std::optional<Minute> RealRecordMinute(const VitalRecord& r) {
  const int year = 2000 + r.year;
  if (r.year > 127 || r.month < 1 || r.month > 12 || r.day < 1 ||
      r.day > DaysInMonth(year, r.month) || r.hour > 23 || r.minute > 59) {
    return std::nullopt;
  }
  return MinuteOf(year, r.month, r.day, r.hour, r.minute);
}

Minute MinuteOf(int year, int month, int day, int hour, int minute) {
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) *
             kMinutesPerDay +
         hour * 60 + minute;
}

std::string FormatMinute(Minute minute) {
  const Minute days = (minute >= 0 ? minute : minute - (kMinutesPerDay - 1)) / kMinutesPerDay;
  const int ofDay = static_cast<int>(minute - days * kMinutesPerDay);
  const CivilDate date = CivilFromDays(days);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day,
                ofDay / 60, ofDay % 60);
  return text;
}

Timeline BuildTimeline(const RecordList& records) { return BuildFrom(records); }
Timeline BuildTimeline(std::span<const VitalRecord> records) { return BuildFrom(records); }

}  // namespace wd

#include "views/logic/record_order.h"

#include <algorithm>
#include <limits>

#include "data/calendar.h"

namespace wd {

std::optional<std::int64_t> RecordTimeKey(const VitalRecord& r) {
  if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31 || r.hour > 23 || r.minute > 59) {
    return std::nullopt;
  }
  const std::int64_t days = DaysFromCivil(2000 + r.year, r.month, 1) + (r.day - 1);
  return days * 1440 + r.hour * 60 + r.minute;
}

void SortByRecordTime(std::vector<const VitalRecord*>& records) {
  constexpr std::int64_t kNoTime = std::numeric_limits<std::int64_t>::max();
  std::vector<std::pair<std::int64_t, const VitalRecord*>> keyed;
  keyed.reserve(records.size());
  for (const VitalRecord* record : records) {
    keyed.emplace_back(RecordTimeKey(*record).value_or(kNoTime), record);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < keyed.size(); ++i) records[i] = keyed[i].second;
}

std::int64_t IdSortKey(const PatientId& id) {
  std::size_t i = 0;
  const auto& b = id.bytes;
  while (i < b.size() && (b[i] == ' ' || (b[i] >= '\t' && b[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < b.size() && (b[i] == '+' || b[i] == '-')) negative = b[i++] == '-';
  // Accumulate negatively so the most negative value fits; saturate like _atoi64.
  std::int64_t value = 0;
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  bool overflow = false;
  for (; i < b.size() && b[i] >= '0' && b[i] <= '9'; ++i) {
    const int digit = b[i] - '0';
    if (value < (kMin + digit) / 10) overflow = true;
    if (!overflow) value = value * 10 - digit;
  }
  if (overflow) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
  if (negative) return value;
  return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

}  // namespace wd

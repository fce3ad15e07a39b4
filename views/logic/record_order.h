#pragma once
// Orders of the list views: monitoring rows by record time, ward-round rows by identity number.

#include <cstdint>
#include <optional>
#include <vector>

#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd {

// Minutes on a continuous local calendar, or nothing when the stored bytes are no time at all
// (month outside 1..12, day outside 1..31, hour above 23, minute above 59). Days past a month's
// end roll over into the next month, as the C library's time conversion does.
std::optional<std::int64_t> RecordTimeKey(const VitalRecord& record);

// Ascending by time; equal times and all records without a valid time keep their list order,
// the invalid ones after every valid one.
void SortByRecordTime(std::vector<const VitalRecord*>& records);

// The identity number read as a signed 64-bit decimal (leading blanks, a sign, then digits up to
// the first non-digit), as the ward-round list compares persons.
std::int64_t IdSortKey(const PatientId& id);

}  // namespace wd

#pragma once
// One person's records, both kinds mixed, in the order they were added.

#include <cstddef>
#include <cstdint>
#include <deque>

#include "data/minute_set.h"
#include "data/vital_record.h"

namespace wd {

class PatientStore;

// A deque keeps every record at a fixed address while the list grows, so list rows and charts
// may point at records. Only the store appends (under its lock); readers get const access.
class RecordList {
 public:
  using const_iterator = std::deque<VitalRecord>::const_iterator;

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const VitalRecord& operator[](std::size_t index) const { return records_[index]; }
  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }

  std::size_t MonitoringCount() const;
  std::size_t WardRoundCount() const { return records_.size() - MonitoringCount(); }

 private:
  friend class PatientStore;

  bool HasMinute(const VitalRecord& record) const { return minutes_.contains(record.MinuteKey()); }
  void Append(const VitalRecord& record) {
    records_.push_back(record);
    minutes_.insert(record.MinuteKey());
  }

  std::deque<VitalRecord> records_;
  // Minutes present in the list, whatever the kind: the duplicate test in O(1).
  MinuteSet minutes_;
};

}  // namespace wd

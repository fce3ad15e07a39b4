#pragma once
// One measurement's valid values over a timeline, as the desaturation count and the report's
// charts walk them.

#include <vector>

#include "analysis/record_timeline.h"

namespace wd {

struct MinuteValue {
  Minute minute;
  int value;
  friend bool operator==(const MinuteValue&, const MinuteValue&) = default;
};

enum class Measurement { Spo2, Pulse, Systolic, Diastolic };

// The minutes whose value of `measurement` is valid, in time order (systolic and diastolic
// both need a valid reading).
std::vector<MinuteValue> ValidMinutes(const Timeline& timeline, Measurement measurement);

}  // namespace wd

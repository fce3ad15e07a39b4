#include "analysis/measurement_series.h"

#include "analysis/valid_values.h"

namespace wd {

std::vector<MinuteValue> ValidMinutes(const Timeline& timeline, Measurement measurement) {
  std::vector<MinuteValue> series;
  series.reserve(timeline.minutes.size());
  for (const TimedRecord& timed : timeline.minutes) {
    const VitalRecord& r = *timed.record;
    switch (measurement) {
      case Measurement::Spo2:
        if (IsValidSpo2(r)) series.push_back({timed.minute, r.spo2});
        break;
      case Measurement::Pulse:
        if (IsValidPulse(r)) series.push_back({timed.minute, r.pulse});
        break;
      case Measurement::Systolic:
        if (IsValidNibp(r)) series.push_back({timed.minute, r.systolic});
        break;
      case Measurement::Diastolic:
        if (IsValidNibp(r)) series.push_back({timed.minute, r.diastolic});
        break;
    }
  }
  return series;
}

}  // namespace wd

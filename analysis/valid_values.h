#pragma once
// Which stored values are measurements: the monitor stores 0 or out-of-range bytes for a
// measurement it did not take, and those must not count in any figure.

#include "data/vital_record.h"

namespace wd {

inline bool IsValidSpo2(const VitalRecord& r) { return r.spo2 >= 1 && r.spo2 <= 100; }
inline bool IsValidPulse(const VitalRecord& r) { return r.pulse >= 20 && r.pulse <= 250; }
// One cuff reading gives both pressures: valid together or not at all.
inline bool IsValidNibp(const VitalRecord& r) {
  return r.systolic >= 1 && r.systolic <= 300 && r.diastolic >= 1 && r.diastolic <= 300 &&
         r.diastolic < r.systolic;
}
// Tenths of a degree: 25.0 to 45.0 °C.
inline bool IsValidTemperature(const VitalRecord& r) {
  return r.temperature >= 250 && r.temperature <= 450;
}
inline bool IsValidRespiration(const VitalRecord& r) {
  return r.respiration >= 1 && r.respiration <= 150;
}

}  // namespace wd

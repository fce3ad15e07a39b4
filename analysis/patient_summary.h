#pragma once
// The figures of one person's monitoring records: how many minutes, which span, and per
// measurement the mean, range and (for SpO2) the time spent low and the desaturations.
// A figure without values to stand on is absent (nullopt), never 0.

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/record_timeline.h"
#include "analysis/spo2_events.h"
#include "analysis/tenths.h"

namespace wd {

// Mean, lowest and highest of a measurement's valid values.
struct ValueRange {
  std::optional<Tenths> mean;
  std::optional<int> min;
  std::optional<int> max;
};

struct Spo2Figures {
  std::size_t valid = 0;
  ValueRange range;
  std::optional<Tenths> median;  // the middle value, or the mean of the two middle ones
  std::optional<Minute> minAt;   // the first minute with the lowest value
  std::optional<std::size_t> t90Minutes, t88Minutes;  // values below 90 and below 88
  std::optional<Tenths> t90Percent, t88Percent;       // of the valid minutes
  std::optional<std::size_t> events3, events4;        // desaturations by 3 and by 4 points
  // Events per hour of valid minutes; absent below an hour of them.
  std::optional<Tenths> odi3, odi4;
  std::vector<Episode> episodesBelow90;  // at least 3 consecutive minutes below 90
};

struct CountedRange {
  std::size_t valid = 0;
  ValueRange range;
};

// Systolic and diastolic are each taken over the same valid readings (a reading counts only
// when both pressures are valid), so the two means describe the same cuff measurements.
struct NibpFigures {
  std::size_t valid = 0;
  ValueRange systolic;
  ValueRange diastolic;
};

struct TemperatureFigures {
  std::size_t valid = 0;
  std::optional<Tenths> mean;  // °C
  std::optional<Tenths> max;   // °C
};

struct PatientSummary {
  std::size_t minutes = 0;   // records kept: a real time, one per minute
  std::size_t excluded = 0;  // monitoring records left out
  std::optional<Minute> first, last;
  Spo2Figures spo2;
  CountedRange pulse;
  NibpFigures nibp;
  TemperatureFigures temperature;
  CountedRange respiration;
};

inline constexpr std::size_t kMinutesForOdi = 60;
inline constexpr int kLowSpo2 = 90;
inline constexpr int kVeryLowSpo2 = 88;
inline constexpr std::size_t kShortestEpisode = 3;

PatientSummary Summarise(const Timeline& timeline);

}  // namespace wd

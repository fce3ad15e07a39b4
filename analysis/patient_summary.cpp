#include "analysis/patient_summary.h"

#include <algorithm>
#include <array>

#include "analysis/valid_values.h"

namespace wd {
namespace {

class RangeSum {
 public:
  void Add(int value) {
    sum_ += value;
    min_ = count_ == 0 ? value : std::min(min_, value);
    max_ = count_ == 0 ? value : std::max(max_, value);
    ++count_;
  }
  std::size_t count() const { return count_; }
  std::int64_t sum() const { return sum_; }
  int min() const { return min_; }
  ValueRange Result() const {
    if (count_ == 0) return {};
    return {RoundedTenths(sum_, static_cast<std::int64_t>(count_)), min_, max_};
  }

 private:
  std::int64_t sum_ = 0;
  std::size_t count_ = 0;
  int min_ = 0;
  int max_ = 0;
};

std::optional<Tenths> PerHour(std::size_t events, std::size_t minutes) {
  if (minutes < kMinutesForOdi) return std::nullopt;
  return RoundedTenths(60 * static_cast<std::int64_t>(events), static_cast<std::int64_t>(minutes));
}

// SpO2 values are 1..100: a count per value gives the median without sorting.
class Spo2Sum {
 public:
  void Add(Minute minute, int value) {
    if (range_.count() == 0 || value < range_.min()) minAt_ = minute;
    range_.Add(value);
    ++counts_[static_cast<std::size_t>(value)];
    if (value < kLowSpo2) ++below90_;
    if (value < kVeryLowSpo2) ++below88_;
    drops3_.Add(minute, value);
    drops4_.Add(minute, value);
    episodes_.Add(minute, value);
  }

  void Fill(Spo2Figures& figures) {
    figures.valid = range_.count();
    if (figures.valid == 0) return;
    const auto valid = static_cast<std::int64_t>(figures.valid);
    figures.range = range_.Result();
    figures.median = Median();
    figures.minAt = minAt_;
    figures.t90Minutes = below90_;
    figures.t88Minutes = below88_;
    figures.t90Percent = RoundedTenths(100 * static_cast<std::int64_t>(below90_), valid);
    figures.t88Percent = RoundedTenths(100 * static_cast<std::int64_t>(below88_), valid);
    figures.events3 = drops3_.events();
    figures.events4 = drops4_.events();
    figures.odi3 = PerHour(drops3_.events(), figures.valid);
    figures.odi4 = PerHour(drops4_.events(), figures.valid);
    figures.episodesBelow90 = episodes_.Finish();
  }

 private:
  // The value at 0-based rank `rank` of the sorted values.
  int ValueAtRank(std::size_t rank) const {
    std::size_t seen = 0;
    for (std::size_t value = 0; value < counts_.size(); ++value) {
      seen += counts_[value];
      if (seen > rank) return static_cast<int>(value);
    }
    return 0;
  }
  Tenths Median() const {
    const std::size_t n = range_.count();
    if (n % 2 == 1) return {ValueAtRank(n / 2) * 10};
    return {(ValueAtRank(n / 2 - 1) + ValueAtRank(n / 2)) * 5};
  }

  RangeSum range_;
  std::array<std::size_t, 101> counts_{};
  Minute minAt_ = 0;
  std::size_t below90_ = 0;
  std::size_t below88_ = 0;
  DesaturationCounter drops3_{3};
  DesaturationCounter drops4_{4};
  EpisodeFinder episodes_{kLowSpo2, kShortestEpisode};
};

}  // namespace

PatientSummary Summarise(const Timeline& timeline) {
  PatientSummary summary;
  summary.minutes = timeline.minutes.size();
  summary.excluded = timeline.excluded;
  if (!timeline.minutes.empty()) {
    summary.first = timeline.minutes.front().minute;
    summary.last = timeline.minutes.back().minute;
  }
  Spo2Sum spo2;
  RangeSum pulse, systolic, diastolic, temperature, respiration;
  for (const TimedRecord& timed : timeline.minutes) {
    const VitalRecord& r = *timed.record;
    if (IsValidSpo2(r)) spo2.Add(timed.minute, r.spo2);
    if (IsValidPulse(r)) pulse.Add(r.pulse);
    if (IsValidNibp(r)) {
      systolic.Add(r.systolic);
      diastolic.Add(r.diastolic);
    }
    if (IsValidTemperature(r)) temperature.Add(r.temperature);
    if (IsValidRespiration(r)) respiration.Add(r.respiration);
  }
  spo2.Fill(summary.spo2);
  summary.pulse = {pulse.count(), pulse.Result()};
  summary.nibp = {systolic.count(), systolic.Result(), diastolic.Result()};
  summary.respiration = {respiration.count(), respiration.Result()};
  summary.temperature.valid = temperature.count();
  if (temperature.count() > 0) {
    // Values are tenths already: the mean to one decimal of a degree is a whole number of them.
    summary.temperature.mean =
        RoundedTenths(temperature.sum(), 10 * static_cast<std::int64_t>(temperature.count()));
    summary.temperature.max = Tenths{*temperature.Result().max};
  }
  return summary;
}

}  // namespace wd

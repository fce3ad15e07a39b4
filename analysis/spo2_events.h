#pragma once
// Desaturation events and low-saturation episodes over the valid SpO2 minutes, fed one value
// at a time in time order.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "analysis/measurement_series.h"

namespace wd {

// A baseline is the mean of up to the last 3 values outside an event; an event starts at a
// value at least `drop` points below a full baseline and ends at the first value above the
// start baseline minus `drop`, which begins the next baseline. A gap of more than 5 minutes
// forgets the baseline and ends an event. Every event counts, whether it recovers or not.
class DesaturationCounter {
 public:
  explicit DesaturationCounter(int drop) : drop_(drop) {}
  void Add(Minute minute, int value);
  std::size_t events() const { return events_; }

 private:
  static constexpr int kBaselineValues = 3;
  void AddToBaseline(int value);

  int drop_;
  std::size_t events_ = 0;
  std::optional<Minute> previous_;
  // The baseline: a ring of its values with their running sum.
  int values_[kBaselineValues] = {};
  int oldest_ = 0;
  int size_ = 0;
  int sum_ = 0;
  bool inEvent_ = false;
  int startSum_ = 0;
};

struct Episode {
  Minute start;
  std::size_t minutes;
  int lowest;
  friend bool operator==(const Episode&, const Episode&) = default;
};

// Runs of at least `shortest` values below `threshold`, each value exactly one minute after the
// one before it.
class EpisodeFinder {
 public:
  EpisodeFinder(int threshold, std::size_t shortest) : threshold_(threshold), shortest_(shortest) {}
  void Add(Minute minute, int value);
  // The episodes in time order; the finder is spent.
  std::vector<Episode> Finish();

 private:
  void Close();

  int threshold_;
  std::size_t shortest_;
  std::optional<Minute> previous_;
  std::optional<Episode> run_;
  std::vector<Episode> episodes_;
};

// The same over a whole series of valid values in time order.
std::size_t CountDesaturations(std::span<const MinuteValue> spo2, int drop);
std::vector<Episode> EpisodesBelow(std::span<const MinuteValue> spo2, int threshold,
                                   std::size_t shortest);

}  // namespace wd

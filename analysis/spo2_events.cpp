#include "analysis/spo2_events.h"

#include <algorithm>

namespace wd {
namespace {

constexpr Minute kLongestKeptGap = 5;

}  // namespace

// Compared as sums of 3 to stay in integers: v <= mean - drop is 3v <= sum - 3 drop.
void DesaturationCounter::Add(Minute minute, int v) {
  constexpr int n = kBaselineValues;
  if (previous_ && minute - *previous_ > kLongestKeptGap) {
    size_ = 0;
    sum_ = 0;
    inEvent_ = false;
  }
  previous_ = minute;
  if (inEvent_) {
    if (n * v > startSum_ - n * drop_) {
      inEvent_ = false;
      size_ = 0;
      sum_ = 0;
      AddToBaseline(v);
    }
  } else if (size_ == n && n * v <= sum_ - n * drop_) {
    inEvent_ = true;
    startSum_ = sum_;
    ++events_;
  } else {
    AddToBaseline(v);
  }
}

void DesaturationCounter::AddToBaseline(int value) {
  if (size_ == kBaselineValues) {
    sum_ -= values_[oldest_];
    values_[oldest_] = value;
    oldest_ = (oldest_ + 1) % kBaselineValues;
  } else {
    values_[(oldest_ + size_++) % kBaselineValues] = value;
  }
  sum_ += value;
}

void EpisodeFinder::Add(Minute minute, int value) {
  const bool follows = previous_ && minute == *previous_ + 1;
  previous_ = minute;
  if (value >= threshold_) {
    Close();
  } else if (run_ && follows) {
    ++run_->minutes;
    run_->lowest = std::min(run_->lowest, value);
  } else {
    Close();
    run_ = Episode{minute, 1, value};
  }
}

void EpisodeFinder::Close() {
  if (run_ && run_->minutes >= shortest_) episodes_.push_back(*run_);
  run_.reset();
}

std::vector<Episode> EpisodeFinder::Finish() {
  Close();
  return std::move(episodes_);
}

std::size_t CountDesaturations(std::span<const MinuteValue> spo2, int drop) {
  DesaturationCounter counter(drop);
  for (const MinuteValue& point : spo2) counter.Add(point.minute, point.value);
  return counter.events();
}

std::vector<Episode> EpisodesBelow(std::span<const MinuteValue> spo2, int threshold,
                                   std::size_t shortest) {
  EpisodeFinder finder(threshold, shortest);
  for (const MinuteValue& point : spo2) finder.Add(point.minute, point.value);
  return finder.Finish();
}

}  // namespace wd

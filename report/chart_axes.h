#pragma once
// The axes of a report chart: time ticks at whole hours or days on a time-proportional axis,
// and the value scale of each chart kind.

#include <optional>
#include <string>
#include <vector>

#include "analysis/record_timeline.h"
#include "report/page_geometry.h"

namespace wd {

// How far a time tick reaches below the plot, in tenths of a millimetre; its label starts below.
inline constexpr int kTimeTickLength = 15;

// A tick on the time axis at page x; the label is empty where labels would crowd.
struct TimeTick {
  Minute at;
  int x;
  std::u16string label;  // "14:00", or the date "06-24" at midnight and on day ticks
  Rect labelBox{};       // centred below the tick, kept inside the chart (set by the chart)
};

// Ticks over [from, to) drawn across `plot`: every hour when hours lie at least 3 mm apart,
// else every day (or every 2, 7, 14 ... days); labels on every tick that lies 14 mm from the
// last label, at whole multiples of the label step (every 3 hours, say, from midnight).
std::vector<TimeTick> PlanTimeTicks(Minute from, Minute to, const Rect& plot);

// The page x of a minute on a plot spanning [from, to).
int TimeX(Minute minute, Minute from, Minute to, const Rect& plot);

enum class ChartKind { Spo2, PulseRate, Nibp };

struct ValueScale {
  int low, high;                 // at the plot's bottom and top
  int step;                      // between labelled grid lines
  std::optional<int> reference;  // a line across the plot (90 % for SpO2)
};
// SpO2 50..100 % (lower, in steps of 10, when a valid value lies below 50), pulse rate 0..250,
// NIBP 0..300 mmHg.
ValueScale ScaleOf(ChartKind kind, std::optional<int> lowestValue);

// The page y of a value, kept inside the plot.
int ValueY(int value, const ValueScale& scale, const Rect& plot);

}  // namespace wd

#include "report/chart_axes.h"

#include <algorithm>
#include <cstdio>

#include "data/calendar.h"
#include "report/report_strings.h"

namespace wd {
namespace {

constexpr int kMinTickSpacing = 30;  // tenths of a millimetre
constexpr int kMinLabelSpacing = 140;

Minute FloorDiv(Minute a, Minute b) { return (a >= 0 ? a : a - (b - 1)) / b; }

std::u16string DateLabel(Minute minute) {
  const CivilDate date = CivilFromDays(FloorDiv(minute, kMinutesPerDay));
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d", date.month, date.day);
  return AsciiText(text);
}

std::u16string HourLabel(Minute minute) {
  const int hour =
      static_cast<int>(minute - FloorDiv(minute, kMinutesPerDay) * kMinutesPerDay) / 60;
  if (hour == 0) return DateLabel(minute);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:00", hour);
  return AsciiText(text);
}

// The smallest step of `choices` (in units) whose ticks lie `least` apart; else the last.
int StepFor(double unitSpacing, int least, std::initializer_list<int> choices) {
  for (int choice : choices) {
    if (choice * unitSpacing >= least) return choice;
  }
  return *(choices.end() - 1);
}

}  // namespace

int TimeX(Minute minute, Minute from, Minute to, const Rect& plot) {
  return plot.left + static_cast<int>((minute - from) * plot.width() / (to - from));
}

std::vector<TimeTick> PlanTimeTicks(Minute from, Minute to, const Rect& plot) {
  std::vector<TimeTick> ticks;
  if (to <= from || plot.width() <= 0) return ticks;
  const double perMinute = static_cast<double>(plot.width()) / static_cast<double>(to - from);
  const bool hourly = 60 * perMinute >= kMinTickSpacing;
  // Ticks every `tick` minutes; labels every `label` minutes, both from midnight.
  Minute tick = 60;
  Minute label = 60;
  if (hourly) {
    label = 60 * StepFor(60 * perMinute, kMinLabelSpacing, {1, 2, 3, 4, 6, 12, 24});
  } else {
    const double perDay = kMinutesPerDay * perMinute;
    tick = kMinutesPerDay * StepFor(perDay, kMinTickSpacing, {1, 2, 7, 14, 28, 56, 112, 364, 728});
    label = tick * StepFor(static_cast<double>(tick) * perMinute, kMinLabelSpacing,
                           {1, 2, 5, 10, 20, 50, 100});
  }
  for (Minute at = FloorDiv(from + tick - 1, tick) * tick; at < to; at += tick) {
    std::u16string text;
    if (at % label == 0) text = hourly ? HourLabel(at) : DateLabel(at);
    ticks.push_back({at, TimeX(at, from, to, plot), std::move(text)});
  }
  return ticks;
}

ValueScale ScaleOf(ChartKind kind, std::optional<int> lowestValue) {
  switch (kind) {
    case ChartKind::Spo2: {
      const int low = std::min(50, lowestValue ? *lowestValue / 10 * 10 : 50);
      return {low, 100, low >= 50 ? 10 : 20, 90};
    }
    case ChartKind::PulseRate: return {0, 250, 50, std::nullopt};
    case ChartKind::Nibp: return {0, 300, 50, std::nullopt};
  }
  return {0, 100, 10, std::nullopt};
}

int ValueY(int value, const ValueScale& scale, const Rect& plot) {
  const int clamped = std::clamp(value, scale.low, scale.high);
  return plot.bottom - (clamped - scale.low) * plot.height() / (scale.high - scale.low);
}

}  // namespace wd

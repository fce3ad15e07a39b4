#pragma once
// Geometry of the three trend charts (SpO2, pulse rate, NIBP): value mapping, grid, curves,
// hour labels and the time scroll range. The window code only draws what a plan says.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "data/record_list.h"

namespace wd {

enum class TrendChartKind { Spo2, PulseRate, Nibp };

// Fixed layout of one chart kind. The bitmap is (N + 50) x bitmapHeight; y grows downwards.
struct TrendChartLayout {
  const char* title;  // drawn at (w/2 - 10, 5)
  int bitmapHeight;   // 290 or 300
  int baseline;       // y of value 0 (or 70 %)
  std::vector<int> gridYs;
  int labelTop, labelBottom;  // hour label box (x, top, x + 60, bottom)
  int tickBottom;             // hour tick from (x, baseline) to (x, tickBottom)
  int axisFontTenths;         // point size of the value labels, in tenths
  int curveCount;             // NIBP draws systolic and diastolic
};
const TrendChartLayout& LayoutOf(TrendChartKind kind);

// Bitmap y of a value. SpO2: 70 % -> 240, 100 % -> 0; pulse rate: 250 - v; NIBP: 300 -> 0.
// Values are not range-checked: out-of-range ones land outside the plot.
int MapTrendValue(TrendChartKind kind, int value);

// A value label of the left axis, at y = client bottom - offsetFromBottom.
struct AxisLabel {
  int offsetFromBottom;
  std::string text;
};
std::vector<AxisLabel> AxisLabels(TrendChartKind kind);

struct Segment {
  int x0, y0, x1, y1;
  friend bool operator==(const Segment&, const Segment&) = default;
};
// An hour mark: the tick at x and the record's time, "yy-m-d h:m", in the box from x.
struct HourLabel {
  int x;
  std::string text;
};

struct TrendPlan {
  int bitmapWidth = 50;                        // N + 50
  int gridRight = 0;                           // grid lines run from 0 to N
  std::array<std::vector<Segment>, 2> curves;  // [0] the labelled curve (systolic for NIBP)
  std::vector<HourLabel> labels;  // labels[k] stands at column 60 k, before curve 0's segment there
  // Segment i of curve c comes from monitoring record firstRecord[c] + i. Drawing in record
  // order (curve 0, then curve 1, of each record) keeps which pen wins where the curves touch.
  std::array<int, 2> firstRecord{};
  int recordCount = 0;  // monitoring records walked
};

// Walks the list's first `recordCount` monitoring records in order (ward-round records leave no
// gap; records added after the count are not charted, so the curve matches the bitmap width and
// the time span the view shows): the first record only fixes where the curve starts, every
// later one adds one pixel column, and every 60th column gets an hour label. A previous y of 0
// at column 0 counts as "no point yet".
TrendPlan PlanTrendChart(TrendChartKind kind, const RecordList* list, int recordCount);

// "19-6-24 9:5": year byte as stored (not + 2000), nothing padded.
std::string HourLabelText(const VitalRecord& record);

// Range maximum of the time scroll bar, whose steps move the charts by 60 columns; nothing when
// all columns fit (the bar is hidden).
std::optional<int> TimeScrollMaximum(int recordCount, int chartWidth);

}  // namespace wd

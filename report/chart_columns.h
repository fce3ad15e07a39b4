#pragma once
// What each output column of a report chart draws: the lowest and highest valid value whose
// minute falls in it. A curve of 65,536 minutes then costs as many drawing calls as one of
// 1,000, and a single low minute still reaches the bottom of its column.

#include <span>
#include <vector>

#include "analysis/measurement_series.h"

namespace wd {

struct ChartColumn {
  bool empty = true;  // no value: a gap in the curve
  // Whether the curve runs on from the previous column: both hold values, at most 5 minutes
  // apart. A longer pause in the records shows as a break.
  bool joinsPrevious = false;
  int first = 0, last = 0;  // the column's first and last value in time order
  int min = 0, max = 0;
};

// Columns over the time range [from, to) (to > from), `columns` of equal duration. Column c
// takes the minutes from from + c (to - from) / columns on; where a column lasts less than a
// minute, a minute fills every column that starts within it. `series`: valid values in time
// order. Linear in the values inside the range plus the columns; values outside are skipped
// by a binary search.
std::vector<ChartColumn> PlanChartColumns(std::span<const MinuteValue> series, Minute from,
                                          Minute to, int columns);

}  // namespace wd

#pragma once
// One chart of the report placed in its frame: title and legend, value grid, reference line
// and time ticks.

#include <optional>

#include "report/report_plan.h"

namespace wd {

// `lowestSpo2` widens the SpO2 scale below 50 % when a valid value lies there.
ChartBlock PlaceChart(ChartKind kind, const Rect& frame, Minute from, Minute to,
                      std::optional<int> lowestSpo2, const ReportStrings& strings);

}  // namespace wd

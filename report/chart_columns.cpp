#include "report/chart_columns.h"

#include <algorithm>
#include <optional>

namespace wd {
namespace {

constexpr Minute kLongestJoinedGap = 5;

}  // namespace

std::vector<ChartColumn> PlanChartColumns(std::span<const MinuteValue> series, Minute from,
                                          Minute to, int columns) {
  std::vector<ChartColumn> plan(static_cast<std::size_t>(std::max(columns, 0)));
  if (columns <= 0 || to <= from) return plan;
  const Minute duration = to - from;
  const auto columnOf = [&](Minute minute) { return (minute - from) * columns / duration; };
  const auto begin = std::lower_bound(series.begin(), series.end(), from,
                                      [](const MinuteValue& p, Minute m) { return p.minute < m; });
  std::optional<Minute> previousMinute;
  Minute previousColumn = -1;
  for (auto point = begin; point != series.end() && point->minute < to; ++point) {
    const Minute first = columnOf(point->minute);
    const Minute end = std::min<Minute>(std::max(first + 1, columnOf(point->minute + 1)), columns);
    for (Minute c = first; c < end; ++c) {
      ChartColumn& column = plan[static_cast<std::size_t>(c)];
      if (column.empty) {
        // Columns after the first of a minute continue that same minute.
        const bool joins = c > first || (c == previousColumn + 1 && previousMinute &&
                                         point->minute - *previousMinute <= kLongestJoinedGap);
        column = {false, joins, point->value, point->value, point->value, point->value};
      } else {
        column.last = point->value;
        column.min = std::min(column.min, point->value);
        column.max = std::max(column.max, point->value);
      }
    }
    previousMinute = point->minute;
    previousColumn = end - 1;
  }
  return plan;
}

}  // namespace wd

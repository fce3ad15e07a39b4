#include "views/logic/trend_view_layout.h"

#include <algorithm>

#include "views/logic/record_order.h"

namespace wd {

TrendViewLayout LayOutTrendView(int chartTop, int clientWidth) {
  const int width = clientWidth - 40;
  return {{20, chartTop, width, 350},
          {20, chartTop + 380, width, 350},
          {20, chartTop + 760, width, 350},
          {20, chartTop + 1115, width, 15},
          chartTop + 1140};
}

int TimeScrollTarget(int code, int position, int maximum, int thumbPosition) {
  switch (code) {
    case kTimeLineLeft:
    case kTimePageLeft: return std::max(position - 1, 0);
    case kTimeLineRight:
    case kTimePageRight: return std::min(position + 1, maximum);
    case kTimeThumbPosition: return std::clamp(thumbPosition, 0, std::max(maximum, 0));
    default: return position;
  }
}

MonitoringSpan SpanOfMonitoring(const RecordList* list) {
  MonitoringSpan span;
  if (list == nullptr) return span;
  std::optional<std::int64_t> firstKey, lastKey;
  const VitalRecord* firstInList = nullptr;
  const VitalRecord* lastInList = nullptr;
  for (const VitalRecord& record : *list) {
    if (!record.IsMonitoring()) continue;
    ++span.count;
    if (firstInList == nullptr) firstInList = &record;
    lastInList = &record;
    const std::optional<std::int64_t> key = RecordTimeKey(record);
    if (!key) continue;
    // Ties: the earliest taken first, the latest taken last, as a stable sort orders them.
    if (!firstKey || *key < *firstKey) firstKey = key, span.first = &record;
    if (!lastKey || *key >= *lastKey) lastKey = key, span.last = &record;
  }
  if (span.first == nullptr) {  // no record holds a real time: list order is all there is
    span.first = firstInList;
    span.last = lastInList;
  }
  return span;
}

}  // namespace wd

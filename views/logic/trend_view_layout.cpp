#include "views/logic/trend_view_layout.h"

#include <algorithm>

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
  for (const VitalRecord& record : *list) {
    if (!record.IsMonitoring()) continue;
    if (span.first == nullptr) span.first = &record;
    span.last = &record;
    ++span.count;
  }
  return span;
}

}  // namespace wd

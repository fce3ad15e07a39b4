#include "views/logic/trend_plan.h"

#include <algorithm>
#include <cstdio>

namespace wd {
namespace {

const TrendChartLayout kSpo2{"SPO2", 290, 240, {240, 200, 160, 120, 80, 40, 0}, 255, 285,
                             251,    90,  1};
const TrendChartLayout kPulse{"PR", 300, 250, {250, 200, 150, 100, 50, 0}, 265, 295, 261, 90, 1};
const TrendChartLayout kNibp{
    "NIBP", 290, 240, {240, 224, 208, 192, 176, 160, 144, 128, 112, 96, 80, 64, 48, 32, 16, 0},
    255,    285, 251, 80,
    2};

int ValueOf(TrendChartKind kind, const VitalRecord& record, int curve) {
  switch (kind) {
    case TrendChartKind::Spo2: return record.spo2;
    case TrendChartKind::PulseRate: return record.pulse;
    case TrendChartKind::Nibp: return curve == 0 ? record.systolic : record.diastolic;
  }
  return 0;
}

// One curve's walk: its own column and previous y.
struct CurveCursor {
  int x = 0;
  int previousY = 0;
};

}  // namespace

const TrendChartLayout& LayoutOf(TrendChartKind kind) {
  switch (kind) {
    case TrendChartKind::Spo2: return kSpo2;
    case TrendChartKind::PulseRate: return kPulse;
    case TrendChartKind::Nibp: return kNibp;
  }
  return kNibp;
}

int MapTrendValue(TrendChartKind kind, int value) {
  switch (kind) {
    case TrendChartKind::Spo2: return 240 + (70 - value) * 240 / 30;
    case TrendChartKind::PulseRate: return 250 - value * 250 / 250;
    case TrendChartKind::Nibp: return 240 - value * 240 / 300;
  }
  return 0;
}

std::vector<AxisLabel> AxisLabels(TrendChartKind kind) {
  std::vector<AxisLabel> labels;
  switch (kind) {
    case TrendChartKind::Spo2:
      for (int i = 0; i <= 6; ++i)
        labels.push_back({60 + 40 * i, std::to_string(70 + 5 * i) + "%"});
      break;
    case TrendChartKind::PulseRate:
      for (int v = 0; v <= 250; v += 50) labels.push_back({55 + v, std::to_string(v)});
      break;
    case TrendChartKind::Nibp:
      for (int i = 0; i <= 15; ++i) labels.push_back({60 + 16 * i, std::to_string(20 * i)});
      break;
  }
  return labels;
}

std::string HourLabelText(const VitalRecord& r) {
  char text[48];
  std::snprintf(text, sizeof text, "%d-%d-%d %d:%d", r.year, r.month, r.day, r.hour, r.minute);
  return text;
}

TrendPlan PlanTrendChart(TrendChartKind kind, const RecordList* list, int recordCount) {
  TrendPlan plan;
  recordCount = std::max(recordCount, 0);
  plan.bitmapWidth = recordCount + 50;
  plan.gridRight = recordCount;
  if (list == nullptr) return plan;
  const int curves = LayoutOf(kind).curveCount;
  for (int c = 0; c < curves; ++c) plan.curves[c].reserve(static_cast<std::size_t>(recordCount));

  CurveCursor cursors[2];
  for (const VitalRecord& record : *list) {
    if (!record.IsMonitoring()) continue;
    if (plan.recordCount == recordCount) break;
    const int recordIndex = plan.recordCount++;
    for (int c = 0; c < curves; ++c) {
      CurveCursor& cursor = cursors[c];
      const int y = MapTrendValue(kind, ValueOf(kind, record, c));
      if (cursor.x == 0 && cursor.previousY == 0) {
        cursor.previousY = y;
        plan.firstRecord[c] = recordIndex + 1;
        continue;
      }
      if (c == 0 && cursor.x % 60 == 0) plan.labels.push_back({cursor.x, HourLabelText(record)});
      plan.curves[c].push_back({cursor.x, cursor.previousY, cursor.x + 1, y});
      ++cursor.x;
      cursor.previousY = y;
    }
  }
  return plan;
}

std::optional<int> TimeScrollMaximum(int recordCount, int chartWidth) {
  if (recordCount + 100 <= chartWidth) return std::nullopt;
  return static_cast<int>(static_cast<double>(recordCount + 100 - chartWidth) / 60 + 1);
}

}  // namespace wd

#include "report/chart_block.h"

#include <algorithm>

namespace wd {
namespace {

constexpr int kValueLabelBand = 110;  // left of the plot
constexpr int kTimeLabelBand = 70;    // below the plot: the ticks, then their labels
constexpr int kPlotTopRoom = 15;      // so the top value label is not cut
constexpr int kLegendWidth = 260;
constexpr int kTimeLabelWidth = 120;

const std::u16string& TitleOf(ChartKind kind, const ReportStrings& s) {
  switch (kind) {
    case ChartKind::Spo2: return s.spo2Chart;
    case ChartKind::PulseRate: return s.pulseChart;
    case ChartKind::Nibp: return s.nibpChart;
  }
  return s.spo2Chart;
}

std::vector<Measurement> SeriesOf(ChartKind kind) {
  switch (kind) {
    case ChartKind::Spo2: return {Measurement::Spo2};
    case ChartKind::PulseRate: return {Measurement::Pulse};
    case ChartKind::Nibp: return {Measurement::Systolic, Measurement::Diastolic};
  }
  return {};
}

}  // namespace

ChartBlock PlaceChart(ChartKind kind, const Rect& frame, Minute from, Minute to,
                      std::optional<int> lowestSpo2, const ReportStrings& strings) {
  const int titleHeight = StyleOf(TextRole::Body).lineHeight;
  ChartBlock chart{};
  chart.kind = kind;
  chart.frame = frame;
  chart.title = {{frame.left, frame.top, frame.right, frame.top + titleHeight},
                 TextRole::Body,
                 Align::Left,
                 TitleOf(kind, strings)};
  chart.plot = {frame.left + kValueLabelBand, frame.top + titleHeight + kPlotTopRoom, frame.right,
                frame.bottom - kTimeLabelBand};
  chart.from = from;
  chart.to = to;
  chart.scale = ScaleOf(kind, kind == ChartKind::Spo2 ? lowestSpo2 : std::nullopt);
  const ValueScale& scale = chart.scale;
  for (int value = (scale.low + scale.step - 1) / scale.step * scale.step; value <= scale.high;
       value += scale.step) {
    chart.grid.push_back({ValueY(value, scale, chart.plot), AsciiText(std::to_string(value))});
  }
  if (scale.reference) chart.referenceY = ValueY(*scale.reference, scale, chart.plot);
  chart.ticks = PlanTimeTicks(from, to, chart.plot);
  for (TimeTick& tick : chart.ticks) {
    const int left =
        std::clamp(tick.x - kTimeLabelWidth / 2, frame.left, frame.right - kTimeLabelWidth);
    tick.labelBox = {left, chart.plot.bottom + kTimeTickLength + 5, left + kTimeLabelWidth,
                     frame.bottom};
  }
  chart.series = SeriesOf(kind);
  if (kind == ChartKind::Nibp) {
    int right = frame.right;
    for (auto [series, text] : {std::pair{Measurement::Diastolic, &strings.diastolicLegend},
                                std::pair{Measurement::Systolic, &strings.systolicLegend}}) {
      chart.legend.insert(
          chart.legend.begin(),
          {{right - kLegendWidth, frame.top, right, frame.top + titleHeight}, series, *text});
      right -= kLegendWidth;
    }
  }
  return chart;
}

}  // namespace wd

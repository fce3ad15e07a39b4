#pragma once
// The printed patient report as a plan of pages in tenths of a millimetre: where each text,
// table and chart goes. A painter draws the plan on any device (the screen preview, a printer)
// with the same code, scaling by the device's resolution.
//
// Page 1: title, the person's details and the recording, the summary table, the episodes below
// 90 % and the SpO2, pulse-rate and NIBP charts over the whole recording. When the recording
// spans more than 24 hours, one page per calendar day with records follows with that day's
// three charts.
// Every page has a footer: print time, product and version, "page x of y".

#include <optional>
#include <string>
#include <vector>

#include "analysis/measurement_series.h"
#include "analysis/patient_summary.h"
#include "data/patient_info.h"
#include "report/chart_axes.h"
#include "report/chart_columns.h"
#include "report/page_geometry.h"
#include "report/report_strings.h"
#include "report/report_tables.h"

namespace wd {

inline constexpr std::size_t kEpisodesListed = 10;

// One line of text in its box.
struct TextBlock {
  Rect box;
  TextRole role;
  Align align;
  std::u16string text;
};

// A table of label/value rows; a value may wrap within its box.
struct PlacedRow {
  Rect labelBox;
  Rect valueBox;
  TableRow row;
};
struct TableBlock {
  Rect box;
  std::vector<PlacedRow> rows;
};

struct GridLine {
  int y;
  std::u16string label;  // the value, left of the plot
};
// A curve's name beside its pen sample (NIBP).
struct LegendEntry {
  Rect box;
  Measurement series;
  std::u16string text;
};

struct ChartBlock {
  ChartKind kind;
  Rect frame;  // everything of the chart
  Rect plot;   // the curves, the grid and the reference line
  TextBlock title;
  Minute from, to;  // the plot's time range [from, to), proportional across the plot
  ValueScale scale;
  std::vector<GridLine> grid;
  std::optional<int> referenceY;    // the 90 % line
  std::vector<TimeTick> ticks;      // labels below the plot
  std::vector<Measurement> series;  // curves in drawing order
  std::vector<LegendEntry> legend;
};

struct ReportPage {
  std::vector<TextBlock> texts;
  std::vector<TableBlock> tables;
  std::vector<ChartBlock> charts;
};

// The valid values the charts draw, in time order.
struct ChartSeries {
  std::vector<MinuteValue> spo2, pulse, systolic, diastolic;
  const std::vector<MinuteValue>& Of(Measurement measurement) const;
};

struct ReportPlan {
  PaperSize paper;
  std::vector<ReportPage> pages;
  ChartSeries series;
};

struct ReportPerson {
  PatientId id;
  std::optional<PatientInfo> details;  // the register's entry, if any
};
struct PrintStamp {
  Minute printedAt;        // local time
  std::u16string version;  // "1.0.0"
};

// `timeline` and `summary` of the same records (records without a real time are counted in the
// summary, never drawn). Portrait pages of the given paper size.
ReportPlan PlanReport(const ReportPerson& person, const Timeline& timeline,
                      const PatientSummary& summary, PaperSize paper, const PrintStamp& stamp,
                      const ReportStrings& strings);

// What one curve of a chart draws in `deviceColumns` output columns across its plot.
std::vector<ChartColumn> CurveColumns(const ReportPlan& plan, const ChartBlock& chart,
                                      Measurement series, int deviceColumns);

}  // namespace wd

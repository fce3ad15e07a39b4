// Cost of planning the printed report: timeline, summary, pages and the min/max columns of
// every curve on every page at printer resolution.
//   bench_report [--check]   best of five at 1,000 and 65,536 records; with --check, exit 1
//                            when a record or an output column costs over five times as much
//                            at 65,536 records (a day page each adds columns as records grow)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "data/patient_store.h"
#include "report/report_plan.h"

namespace {

constexpr int kPrinterDpi = 600;

// One monitored stay, a record a minute, with a dip every 40 minutes and some missing hours.
const wd::RecordList* FillStay(wd::PatientStore& store, int count) {
  auto writer = store.Write();
  wd::RecordList& list =
      writer.FindOrCreateRecordList(wd::PatientId::FromText("110105194912310021"));
  const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
  const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
  for (int n = 0, i = 0; n < count; ++i) {
    if (i % 1000 >= 960) continue;  // a gap of 40 minutes now and then
    ++n;
    const int day = i / 1440;
    const int spo2 = i % 40 < 4 ? 86 + i % 40 : 94 + i % 3;
    // kind, year, month, day, hour, minute, PI, ETCO2, FICO2, RR, SYS, DIA, MAP, SpO2, PR, temp
    writer.AppendRecord(
        list, {0, 23, u8(1 + day / 28), u8(1 + day % 28), u8(i / 60 % 24), u8(i % 60), 15, 38, 0,
               16, u16(110 + i % 30), u16(70 + i % 20), 90, u8(spo2), u8(60 + i % 40), 370});
  }
  return &list;
}

struct Planned {
  std::size_t pages = 0;
  long long columns = 0;  // output columns of all curves
  long long page1Columns = 0;
};

Planned PlanEverything(const wd::RecordList& list) {
  const wd::Timeline timeline = wd::BuildTimeline(list);
  const wd::PatientSummary summary = wd::Summarise(timeline);
  const wd::ReportPlan plan = wd::PlanReport(
      {wd::PatientId::FromText("110105194912310021"), {}}, timeline, summary, wd::kA4Portrait,
      {wd::MinuteOf(2024, 5, 1, 10, 20), u"1.0.0"}, wd::EnglishReportStrings());
  Planned planned;
  planned.pages = plan.pages.size();
  for (std::size_t page = 0; page < plan.pages.size(); ++page) {
    for (const wd::ChartBlock& chart : plan.pages[page].charts) {
      const int columns = chart.plot.width() * kPrinterDpi / 254;
      for (wd::Measurement series : chart.series) {
        const std::vector<wd::ChartColumn> curve = wd::CurveColumns(plan, chart, series, columns);
        benchmark::DoNotOptimize(curve.data());
        planned.columns += static_cast<long long>(curve.size());
        if (page == 0) planned.page1Columns += static_cast<long long>(curve.size());
      }
    }
  }
  return planned;
}

// Best of five runs, in nanoseconds per record.
double NanosPerRecord(int count, Planned& planned) {
  wd::PatientStore store;
  const wd::RecordList* list = FillStay(store, count);
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    planned = PlanEverything(*list);
    best = std::min(
        best,
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
  }
  return best / count;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  Planned small, large;
  const double smallNs = NanosPerRecord(1000, small);
  const double largeNs = NanosPerRecord(65536, large);
  const double recordRatio = largeNs / smallNs;
  const double columnRatio = (largeNs * 65536 / static_cast<double>(large.columns)) /
                             (smallNs * 1000 / static_cast<double>(small.columns));
  std::printf(
      "report plan at %d dpi: 1,000 records %.3f ms (%zu page(s), %lld columns), "
      "65,536 records %.2f ms (%zu pages, %lld columns, %lld of them on page 1 as at "
      "1,000); ratio per record %.2f, per column %.2f (limits 5.00)\n",
      kPrinterDpi, smallNs * 1000 / 1e6, small.pages, small.columns, largeNs * 65536 / 1e6,
      large.pages, large.columns, large.page1Columns, recordRatio, columnRatio);
  return check && (recordRatio > 5.0 || columnRatio > 5.0) ? 1 : 0;
}

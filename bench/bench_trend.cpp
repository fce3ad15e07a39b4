// Cost per record of planning the three trend charts (value mapping, segments, hour labels)
// and of finding what each picture tile draws.
//   bench_trend [--check]    (best of five runs at 1,000 and 65,536 records)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "data/patient_store.h"
#include "views/logic/trend_plan.h"
#include "views/logic/trend_tiles.h"

namespace {

// One monitored stay: a record a minute with slowly varying values.
const wd::RecordList* FillStay(wd::PatientStore& store, int count) {
  auto writer = store.Write();
  wd::RecordList& list =
      writer.FindOrCreateRecordList(wd::PatientId::FromText("110105194912310021"));
  const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
  const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
  for (int i = 0; i < count; ++i) {
    const int day = i / 1440;
    // kind, year, month, day, hour, minute, PI, ETCO2, FICO2, RR, SYS, DIA, MAP, SpO2, PR, temp
    writer.AppendRecord(
        list, {0, 23, u8(1 + day / 28), u8(1 + day % 28), u8(i / 60 % 24), u8(i % 60), 15, 38, 0,
               16, u16(110 + i % 30), u16(70 + i % 20), 90, u8(92 + i % 8), u8(60 + i % 40), 370});
  }
  return &list;
}

// What opening a trend view computes: three plans and, per picture, the records of each tile.
long long PlanAllCharts(const wd::RecordList* list, int count) {
  long long work = 0;
  for (auto kind :
       {wd::TrendChartKind::Spo2, wd::TrendChartKind::PulseRate, wd::TrendChartKind::Nibp}) {
    const wd::TrendPlan plan = wd::PlanTrendChart(kind, list, count);
    for (const wd::ColumnSpan& tile : wd::TileSpans(plan.bitmapWidth, wd::kTrendTileWidth)) {
      const wd::RecordRange range = wd::RecordsReaching(plan, tile.left, tile.left + tile.width);
      work += range.end - range.begin;
    }
    work += static_cast<long long>(plan.labels.size());
  }
  return work;
}

// Best of five runs, in nanoseconds per record.
double NanosPerRecord(int count) {
  wd::PatientStore store;
  const wd::RecordList* list = FillStay(store, count);
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(PlanAllCharts(list, count));
    best = std::min(
        best,
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
  }
  return best / count;
}

}  // namespace

// Prints the cost at both sizes; with --check, fails when a record costs over five times as much
// at 65,536 records as at 1,000: caches make a long walk dearer per record, a walk that is not
// linear would cost 65 times as much.
int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const double small = NanosPerRecord(1000);
  const double large = NanosPerRecord(65536);
  std::printf(
      "three trend plans and their tiles: 1,000 records %.1f ns/record (%.3f ms), "
      "65,536 records %.1f ns/record (%.2f ms), ratio %.2f (limit 5.00)\n",
      small, small * 1000 / 1e6, large, large * 65536 / 1e6, large / small);
  return check && large / small > 5.0 ? 1 : 0;
}

// Cost of one person's summary (timeline, figures, desaturations) from the store's list.
//   bench_summary            times at 1,000 and 65,536 records, in time order and newest first
//   bench_summary --check    exit 1 when 65,536 records in time order (as downloads and files
//                            hold them) take 5 ms or more, or a record costs over five times as
//                            much as at 1,000 records in either order. Newest first adds a sort
//                            into fresh memory, whose page faults a loaded machine makes slow.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "analysis/patient_summary.h"
#include "data/patient_store.h"

namespace {

// One monitored stay, a record a minute: SpO2 around 95 with a dip every 40 minutes, a cuff
// reading every 15. `reversed` stores it newest first, so the summary has to sort.
const wd::RecordList* FillStay(wd::PatientStore& store, int count, bool reversed) {
  auto writer = store.Write();
  wd::RecordList& list =
      writer.FindOrCreateRecordList(wd::PatientId::FromText("110105194912310021"));
  const auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
  const auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
  for (int n = 0; n < count; ++n) {
    const int i = reversed ? count - 1 - n : n;
    const int day = i / 1440;
    const int spo2 = i % 40 < 4 ? 86 + i % 40 : 94 + i % 3;
    const bool cuff = i % 15 == 0;
    // kind, year, month, day, hour, minute, PI, ETCO2, FICO2, RR, SYS, DIA, MAP, SpO2, PR, temp
    writer.AppendRecord(
        list, {0, 23, u8(1 + day / 28), u8(1 + day % 28), u8(i / 60 % 24), u8(i % 60), 15, 38, 0,
               u8(14 + i % 5), u16(cuff ? 110 + i % 30 : 0), u16(cuff ? 70 + i % 20 : 0), 90,
               u8(spo2), u8(60 + i % 40), u16(365 + i % 10)});
  }
  return &list;
}

double ThreadCpuNanos() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Best of many runs, in milliseconds of this thread's CPU time: on a machine shared with builds,
// the minimum is what the summary itself costs.
double BestMillis(int count, bool reversed) {
  wd::PatientStore store;
  const wd::RecordList* list = FillStay(store, count, reversed);
  double best = 1e300;
  for (int run = 0; run < 50; ++run) {
    const double start = ThreadCpuNanos();
    const wd::PatientSummary summary = wd::Summarise(wd::BuildTimeline(*list));
    benchmark::DoNotOptimize(summary.spo2.events3);
    best = std::min(best, (ThreadCpuNanos() - start) / 1e6);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  bool fast = true;
  double worstRatio = 0;
  for (bool reversed : {false, true}) {
    const double small = BestMillis(1000, reversed);
    const double large = BestMillis(65536, reversed);
    const double ratio = (large / 65536) / (small / 1000);
    std::printf(
        "summary, %s: 1,000 records %.3f ms, 65,536 records %.3f ms%s, "
        "per-record ratio %.2f (limit 5.00)\n",
        reversed ? "newest first" : "in time order", small, large, reversed ? "" : " (limit 5)",
        ratio);
    fast = fast && (reversed || large < 5.0);
    worstRatio = std::max(worstRatio, ratio);
  }
  return check && (!fast || worstRatio > 5.0) ? 1 : 0;
}

// bench_archive: reading an archive of many downloads, as the archive view does when it opens
// (the list of downloads) and when a patient's history is asked for (one person's records
// across every download, 65,536 of them after the merge).
//
//   bench_archive           times at 100 and 1,000 downloads and how they grow
//   bench_archive --check   the same, exit 1 when the time per download grows more than 2.5x
//                           from 100 to 1,000 downloads (worse than linear)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/person_history.h"
#include "bench/bench_archive_data.h"

namespace {

using wd::bench::kPerson;
using wd::bench::kPersonRecords;
using wd::bench::WriteDownload;

struct Timing {
  double listMs = 1e300;
  double historyMs = 1e300;
  bool ok = true;
};

template <typename Step>
double Millis(Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

Timing Measure(const std::filesystem::path& root, int downloads, int runs) {
  Timing best;
  for (int run = 0; run < runs; ++run) {
    std::vector<wd::DownloadSummary> listed;
    best.listMs = std::min(best.listMs, Millis([&] { wd::ListArchive(root, listed); }));
    std::vector<wd::PersonHistory> history;
    best.historyMs =
        std::min(best.historyMs, Millis([&] { wd::HistoryByIdPrefix(root, kPerson, history); }));
    const bool sorted =
        !history.empty() &&
        std::is_sorted(history[0].records.begin(), history[0].records.end(),
                       [](const auto& a, const auto& b) { return a.MinuteKey() < b.MinuteKey(); });
    if (listed.size() != static_cast<std::size_t>(downloads) || history.size() != 1 ||
        history[0].records.size() != kPersonRecords || !sorted) {
      std::fprintf(stderr, "bench_archive: wrong result at %d downloads: %zu listed, %zu records\n",
                   downloads, listed.size(), history.empty() ? 0 : history[0].records.size());
      best.ok = false;
    }
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  const auto scratch =
      std::filesystem::temp_directory_path() /
      ("bench_archive-" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  Timing at[2];
  const int sizes[2] = {100, 1000};
  bool ok = true;
  for (int s = 0; s < 2; ++s) {
    const auto root = scratch / std::to_string(sizes[s]);
    for (int i = 0; i < sizes[s]; ++i) WriteDownload(root, i, sizes[s]);
    at[s] = Measure(root, sizes[s], 7);
    ok = ok && at[s].ok;
    std::printf("%5d downloads: list %8.1f ms, history of %d records %8.1f ms\n", sizes[s],
                at[s].listMs, kPersonRecords, at[s].historyMs);
  }
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  const double listGrowth = at[1].listMs / at[0].listMs;
  const double historyGrowth = at[1].historyMs / at[0].historyMs;
  // Ten times the downloads: linear growth is x10; the limit allows 2.5 times that per download.
  std::printf("growth from 100 to 1,000 downloads: list x%.1f, history x%.1f (limit x25.0)\n",
              listGrowth, historyGrowth);
  if (!check) return ok ? 0 : 1;
  return ok && listGrowth <= 25.0 && historyGrowth <= 25.0 ? 0 : 1;
}

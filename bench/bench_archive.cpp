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

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "archive/download_index.h"
#include "archive/person_history.h"
#include "data/id_file_name.h"
#include "data/patient_id.h"
#include "data/vital_record.h"

namespace {

constexpr int kPersonRecords = 65536;
constexpr const char* kPerson = "110105194912310021";
constexpr std::int64_t kFirstStart = 1704067200;  // 1 January 2024

wd::VitalRecord AtMinute(int minute, wd::RecordKind kind) {
  const int day = minute / 1440;
  wd::VitalRecord r{};
  r.kind = static_cast<std::uint8_t>(kind);
  r.year = 24;
  r.month = static_cast<std::uint8_t>(1 + day / 28);
  r.day = static_cast<std::uint8_t>(1 + day % 28);
  r.hour = static_cast<std::uint8_t>(minute / 60 % 24);
  r.minute = static_cast<std::uint8_t>(minute % 60);
  r.spo2 = 97;
  r.pulse = 72;
  return r;
}

void Put(std::ofstream& out, const auto& bytes) {
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteMonitorFile(const std::filesystem::path& folder, const wd::PatientId& id,
                      const std::vector<wd::VitalRecord>& records) {
  std::ofstream out(folder / (wd::FileNameForId(id) + ".mDat"), std::ios::binary);
  Put(out, id.bytes);
  for (const wd::VitalRecord& r : records) Put(out, r.ToBytes());
}

wd::PatientId OtherPerson(int n) {
  char text[19];
  std::snprintf(text, sizeof text, "3201021980%08d", n);
  return wd::PatientId::FromText(text);
}

// Download i of n: its share of the person's minutes, the last tenth of the download before
// again (a monitor not erased in between), four other persons of the ward, and spot checks.
// Every hundredth was killed: no index, so the list counts its files.
void WriteDownload(const std::filesystem::path& root, int i, int n) {
  const std::int64_t start = kFirstStart + std::int64_t{i} * 3600;
  const std::filesystem::path folder = root / wd::PathFromUtf8(wd::DownloadFolderName(start, "WARD-PC"));
  std::filesystem::create_directories(folder);
  const int first = static_cast<int>(std::int64_t{i} * kPersonRecords / n);
  const int end = static_cast<int>(std::int64_t{i + 1} * kPersonRecords / n);
  const int again = std::min(first, (end - first) / 10);
  std::vector<wd::VitalRecord> records;
  for (int m = first - again; m < end; ++m) records.push_back(AtMinute(m, wd::RecordKind::Monitoring));
  const wd::PatientId person = wd::PatientId::FromText(kPerson);
  WriteMonitorFile(folder, person, records);
  std::uint64_t monitoring = records.size();
  for (int k = 0; k < 4; ++k) {
    std::vector<wd::VitalRecord> other;
    for (int m = 0; m < 60; ++m) other.push_back(AtMinute(i * 60 + m, wd::RecordKind::Monitoring));
    WriteMonitorFile(folder, OtherPerson(i % 50 * 4 + k), other);
    monitoring += other.size();
  }
  std::ofstream check(folder / wd::kWardRoundFileName, std::ios::binary);
  for (int k = 0; k < 20; ++k) {
    // The person's spot checks fall in monitored minutes, so the merge drops them.
    const wd::PatientId id = k < 2 ? person : OtherPerson(i % 50 * 4 + k % 4);
    Put(check, id.bytes);
    Put(check, AtMinute(k < 2 ? first + k : i * 60 + 100 + k, wd::RecordKind::WardRound).ToBytes());
  }
  if (i % 100 == 99) return;
  wd::DownloadIndex index;
  index.result = wd::DownloadResult::Complete;
  index.startUtc = start;
  index.endUtc = start + 60;
  index.computer = "WARD-PC";
  index.port = "COM3";
  index.wantMonitoring = index.wantWardRound = true;
  index.totals = wd::DeviceTotals{static_cast<std::uint32_t>(monitoring), 20};
  index.monitoring = {monitoring, monitoring};
  index.wardRound = {20, 20};
  index.persons = 5;
  std::ofstream(folder / wd::kIndexFileName, std::ios::binary) << wd::IndexText(index);
}

struct Timing {
  double listMs = 1e300;
  double historyMs = 1e300;
  bool ok = true;
};

template <typename Step>
double Millis(Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

Timing Measure(const std::filesystem::path& root, int downloads, int runs) {
  Timing best;
  for (int run = 0; run < runs; ++run) {
    std::vector<wd::DownloadSummary> listed;
    best.listMs = std::min(best.listMs, Millis([&] { wd::ListArchive(root, listed); }));
    std::vector<wd::PersonHistory> history;
    best.historyMs = std::min(best.historyMs, Millis([&] { wd::HistoryByIdPrefix(root, kPerson, history); }));
    const bool sorted = !history.empty() &&
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
  const auto scratch = std::filesystem::temp_directory_path() /
                       ("bench_archive-" + std::to_string(std::chrono::steady_clock::now()
                                                              .time_since_epoch().count()));
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

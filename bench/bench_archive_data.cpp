#include "bench/bench_archive_data.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "archive/archive_folder.h"
#include "archive/download_index.h"
#include "data/id_file_name.h"
#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd::bench {
namespace {

constexpr std::int64_t kFirstStart = 1704067200;  // 1 January 2024

VitalRecord AtMinute(int minute, RecordKind kind) {
  const int day = minute / 1440;
  VitalRecord r{};
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
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void WriteMonitorFile(const std::filesystem::path& folder, const PatientId& id,
                      const std::vector<VitalRecord>& records) {
  std::ofstream out(folder / (FileNameForId(id) + ".mDat"), std::ios::binary);
  Put(out, id.bytes);
  for (const VitalRecord& r : records) Put(out, r.ToBytes());
}

PatientId OtherPerson(int n) {
  char text[19];
  std::snprintf(text, sizeof text, "3201021980%08d", n);
  return PatientId::FromText(text);
}

}  // namespace

void WriteDownload(const std::filesystem::path& root, int i, int n) {
  const std::int64_t start = kFirstStart + std::int64_t{i} * 3600;
  const std::filesystem::path folder = root / PathFromUtf8(DownloadFolderName(start, "WARD-PC"));
  std::filesystem::create_directories(folder);
  const int first = static_cast<int>(std::int64_t{i} * kPersonRecords / n);
  const int end = static_cast<int>(std::int64_t{i + 1} * kPersonRecords / n);
  const int again = std::min(first, (end - first) / 10);
  std::vector<VitalRecord> records;
  for (int m = first - again; m < end; ++m) records.push_back(AtMinute(m, RecordKind::Monitoring));
  const PatientId person = PatientId::FromText(kPerson);
  WriteMonitorFile(folder, person, records);
  std::uint64_t monitoring = records.size();
  for (int k = 0; k < 4; ++k) {
    std::vector<VitalRecord> other;
    for (int m = 0; m < 60; ++m) other.push_back(AtMinute(i * 60 + m, RecordKind::Monitoring));
    WriteMonitorFile(folder, OtherPerson(i % 50 * 4 + k), other);
    monitoring += other.size();
  }
  std::ofstream check(folder / kWardRoundFileName, std::ios::binary);
  for (int k = 0; k < 20; ++k) {
    // The person's spot checks fall in monitored minutes, so the merge drops them.
    const PatientId id = k < 2 ? person : OtherPerson(i % 50 * 4 + k % 4);
    Put(check, id.bytes);
    Put(check, AtMinute(k < 2 ? first + k : i * 60 + 100 + k, RecordKind::WardRound).ToBytes());
  }
  if (i % 100 == 99) return;
  DownloadIndex index;
  index.result = DownloadResult::Complete;
  index.startUtc = start;
  index.endUtc = start + 60;
  index.computer = "WARD-PC";
  index.port = "COM3";
  index.wantMonitoring = index.wantWardRound = true;
  index.totals = DeviceTotals{static_cast<std::uint32_t>(monitoring), 20};
  index.monitoring = {monitoring, monitoring};
  index.wardRound = {20, 20};
  index.persons = 5;
  std::ofstream(folder / kIndexFileName, std::ios::binary) << IndexText(index);
}

}  // namespace wd::bench

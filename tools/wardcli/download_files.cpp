#include "tools/wardcli/download_files.h"

#include <cstdio>
#include <vector>

#include "data/data_files.h"

namespace wd::cli {

bool WriteDownloadFiles(const PatientStore& store, const std::filesystem::path& folder,
                        std::string& error, WrittenFiles* written) {
  std::vector<PatientId> monitored;
  bool anyWardRound = false;
  {
    auto reader = store.Read();
    for (const PatientStore::Entry& entry : reader.entries()) {
      if (entry.records.MonitoringCount() > 0) monitored.push_back(entry.key);
      anyWardRound = anyWardRound || entry.records.WardRoundCount() > 0;
    }
  }
  bool ok = true;
  auto note = [&](const FileResult& result, const std::string& name) {
    if (result) return true;
    if (ok) error = name + ": " + Describe(result);
    ok = false;
    return false;
  };
  for (const PatientId& id : monitored) {
    const std::string name = FileNameForId(id) + ".mDat";
    if (note(WriteMonitorFile(store, folder / name, id), name) && written) {
      ++written->monitoringFiles;
    }
  }
  if (anyWardRound) {
    if (note(WriteCheckFile(store, folder / kWardRoundFileName), kWardRoundFileName) && written) {
      written->wardRoundFile = true;
    }
  }
  return ok;
}

std::optional<std::string> MakePartialFolder(const std::filesystem::path& folder,
                                             const std::tm& localTime) {
  char stamp[80];  // room for any int the fields could hold
  std::snprintf(stamp, sizeof stamp, "partial-%04d%02d%02d-%02d%02d%02d", localTime.tm_year + 1900,
                localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                localTime.tm_sec);
  for (int n = 1; n <= 100; ++n) {
    const std::string name = n == 1 ? std::string(stamp) : stamp + ("-" + std::to_string(n));
    std::error_code ec;
    if (std::filesystem::create_directory(folder / name, ec)) return name;
    if (ec) return std::nullopt;
  }
  return std::nullopt;
}

StoredCounts CountStored(const PatientStore& store) {
  StoredCounts counts;
  auto reader = store.Read();
  for (const PatientStore::Entry& entry : reader.entries()) {
    counts.monitoring += entry.records.MonitoringCount();
    counts.wardRound += entry.records.WardRoundCount();
  }
  return counts;
}

}  // namespace wd::cli

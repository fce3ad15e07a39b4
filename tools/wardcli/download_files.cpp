#include "tools/wardcli/download_files.h"

#include <cstdio>
#include <vector>

#include "data/data_files.h"

namespace wd::cli {

std::string FileNameForId(const PatientId& id) {
  std::size_t length = id.bytes.size();
  while (length > 0 && id.bytes[length - 1] == 0) --length;
  std::string name;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t byte = id.bytes[i];
    const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= 'a' && byte <= 'z');
    if (plain) {
      name.push_back(static_cast<char>(byte));
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      name += escaped;
    }
  }
  return name.empty() ? "%00" : name;
}

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
  auto note = [&](const FileResult& result, const std::filesystem::path& path) {
    if (result) return true;
    if (ok) error = path.string() + ": " + Describe(result);
    ok = false;
    return false;
  };
  for (const PatientId& id : monitored) {
    const std::filesystem::path path = folder / (FileNameForId(id) + ".mDat");
    if (note(WriteMonitorFile(store, path, id), path) && written) ++written->monitoringFiles;
  }
  if (anyWardRound) {
    const std::filesystem::path path = folder / kWardRoundFileName;
    if (note(WriteCheckFile(store, path), path) && written) written->wardRoundFile = true;
  }
  return ok;
}

}  // namespace wd::cli

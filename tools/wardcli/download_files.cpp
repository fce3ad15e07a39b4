#include "tools/wardcli/download_files.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "data/data_files.h"

namespace wd::cli {
namespace {

// Device names Windows keeps in every folder, whatever the extension.
bool IsReservedOnWindows(std::string_view stem) {
  static constexpr std::array<std::string_view, 4> kNames{"CON", "PRN", "AUX", "NUL"};
  for (std::string_view name : kNames) {
    if (stem == name) return true;
  }
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '0' && stem[3] <= '9';
}

std::string Escaped(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%%%02X", byte);
  return text;
}

}  // namespace

std::string FileNameForId(const PatientId& id) {
  std::size_t length = id.bytes.size();
  while (length > 0 && id.bytes[length - 1] == 0) --length;
  std::string name;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t byte = id.bytes[i];
    // Lower-case letters are escaped: on a file system that ignores case they would meet
    // the capitals of another id.
    const bool plain = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z');
    name += plain ? std::string(1, static_cast<char>(byte)) : Escaped(byte);
  }
  if (name.empty()) return Escaped(0);
  if (IsReservedOnWindows(name)) name = Escaped(id.bytes[0]) + name.substr(1);
  return name;
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

#include "archive/archive_folder.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "archive/download_index.h"
#include "data/file_io.h"
#include "data/id_file_name.h"

namespace wd {
namespace {

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits) {
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

}  // namespace

std::string DownloadFolderName(std::int64_t startUtc, std::string_view computer) {
  std::string safe;
  for (const char c : computer) {
    const auto byte = static_cast<unsigned char>(c);
    const bool forbidden =
        byte < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    safe.push_back(forbidden ? '_' : c);
  }
  // Windows drops a trailing dot or space from a name.
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.back() = '_';
  if (safe.empty()) safe = "computer";
  return FolderStamp(startUtc) + " " + safe;
}

std::optional<FolderNameParts> ParseDownloadFolderName(std::string_view name) {
  // YYYYMMDD-HHMMSS, a space, the computer.
  if (name.size() < 17 || name[8] != '-' || name[15] != ' ' || !IsDigits(name.substr(0, 8)) ||
      !IsDigits(name.substr(9, 6))) {
    return std::nullopt;
  }
  std::tm local{};
  local.tm_year = Number(name.substr(0, 4)) - 1900;
  local.tm_mon = Number(name.substr(4, 2)) - 1;
  local.tm_mday = Number(name.substr(6, 2));
  local.tm_hour = Number(name.substr(9, 2));
  local.tm_min = Number(name.substr(11, 2));
  local.tm_sec = Number(name.substr(13, 2));
  local.tm_isdst = -1;
  const std::time_t start = std::mktime(&local);
  if (start == static_cast<std::time_t>(-1)) return std::nullopt;
  FolderNameParts parts{static_cast<std::int64_t>(start), std::string(name.substr(16))};
  // " (2)" after the computer marks a second download of the same second.
  if (parts.computer.ends_with(")")) {
    const std::size_t open = parts.computer.rfind(" (");
    if (open != std::string::npos &&
        IsDigits(
            std::string_view(parts.computer).substr(open + 2, parts.computer.size() - open - 3))) {
      parts.computer.erase(open);
    }
  }
  return parts;
}

JournalFileKind KindOfJournalFile(std::string_view name) {
  if (name == kIndexFileName) return JournalFileKind::Index;
  if (name == kWardRoundFileName) return JournalFileKind::WardRound;
  if (name.size() > kMonitorFileExtension.size() && name.ends_with(kMonitorFileExtension)) {
    return JournalFileKind::Monitoring;
  }
  // What a replacement of the index leaves when it is cut short.
  if (name.starts_with(".download.ini.") ||
      (name.starts_with("~download.ini.") && name.ends_with(".tmp"))) {
    return JournalFileKind::Temporary;
  }
  return JournalFileKind::Other;
}

FileResult ScanDownloadFolder(const std::filesystem::path& download, DownloadFolderFiles& out) {
  out = {};
  std::vector<fileio::FolderEntry> entries;
  if (FileResult listed = fileio::ListFolder(download, entries); !listed) return listed;
  for (const fileio::FolderEntry& entry : entries) {
    const JournalFileKind kind =
        entry.isFolder ? JournalFileKind::Other : KindOfJournalFile(Utf8Name(entry.name));
    switch (kind) {
      case JournalFileKind::Index: out.indexFile = true; break;
      case JournalFileKind::Monitoring: out.monitoringFiles.push_back(download / entry.name); break;
      case JournalFileKind::WardRound: out.wardRoundFile = true; break;
      case JournalFileKind::Temporary: break;
      case JournalFileKind::Other: out.foreign = true; break;
    }
  }
  std::sort(out.monitoringFiles.begin(), out.monitoringFiles.end());
  return FileResult::Ok();
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace wd

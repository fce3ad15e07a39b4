#pragma once
// The names inside an archive: a folder "YYYYMMDD-HHMMSS <computer>" per download (" (2)",
// " (3)" ... after it for a second download in the same second), holding "<id>.mDat" files,
// "wardround.cDat" and "download.ini".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_result.h"

namespace wd {

// The archive's folder beside the program when no other is set.
inline constexpr const char* kArchiveFolderName = "Archive";

// "20240305-070809 WARD-PC". Characters a file name cannot hold become '_'.
std::string DownloadFolderName(std::int64_t startUtc, std::string_view computer);

struct FolderNameParts {
  std::int64_t startUtc = 0;  // from the local time in the name
  std::string computer;
};
// Nullopt for a name that is not a download's folder.
std::optional<FolderNameParts> ParseDownloadFolderName(std::string_view name);

enum class JournalFileKind { Index, Monitoring, WardRound, Temporary, Other };
// What a file in a download's folder is, by its name.
JournalFileKind KindOfJournalFile(std::string_view name);

// What a download's folder holds.
struct DownloadFolderFiles {
  std::vector<std::filesystem::path> monitoringFiles;  // full paths, sorted by name
  bool wardRoundFile = false;
  bool indexFile = false;
  bool foreign = false;  // a folder, or a file the archive does not write
};
FileResult ScanDownloadFolder(const std::filesystem::path& download, DownloadFolderFiles& out);

// A path from a UTF-8 name, and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8Name(const std::filesystem::path& path);

}  // namespace wd

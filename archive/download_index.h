#pragma once
// "download.ini": the small UTF-8 index of one archived download. Rewritten whole (temporary
// file, then replace) when the download starts, when the monitor's totals are known and when
// it ends; until the end it says "interrupted", so a killed program leaves that word behind.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "archive/this_process.h"
#include "device/count_request.h"

namespace wd {

inline constexpr const char* kIndexFileName = "download.ini";

enum class DownloadResult {
  Running,      // still being written by a program that runs
  Complete,     // every wanted record arrived
  Stopped,      // the user stopped it
  Failed,       // the monitor or the line failed
  Interrupted,  // the program ended without finishing it (killed, crashed, power lost)
};

// "complete", "stopped", "failed", "interrupted", "running".
std::string_view ResultName(DownloadResult result);
std::optional<DownloadResult> ResultFromName(std::string_view name);

struct KindCounts {
  std::uint64_t received = 0;  // what the archive holds: every record as the monitor sent it
  std::uint64_t stored = 0;    // of those, what the program's memory kept (no repeated minute)
};

struct DownloadIndex {
  DownloadResult result = DownloadResult::Interrupted;
  std::int64_t startUtc = 0;  // seconds since 1970
  std::int64_t endUtc = 0;    // 0 until it ended
  std::string computer;
  std::string port;
  ProcessIdentity process;
  bool wantMonitoring = false;
  bool wantWardRound = false;
  std::optional<DeviceTotals> totals;  // what the monitor said it held, once it said so
  KindCounts monitoring;
  KindCounts wardRound;
  std::uint64_t persons = 0;
  std::string message;  // what the user was told about the download, in English, if anything
};

// Local times in the index and the folder names: "2024-03-05 07:08:09" and "20240305-070809".
std::string LocalTimeText(std::int64_t utc);
std::string FolderStamp(std::int64_t utc);

std::string IndexText(const DownloadIndex& index);
// Nullopt for a torn or foreign file: no closing "[end]" line, no result or start, or a number
// that does not read.
std::optional<DownloadIndex> ParseIndex(std::string_view text);

}  // namespace wd

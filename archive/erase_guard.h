#pragma once
// Before the monitor's stores are erased: are its current records in the archive? They are
// when, for each store to be erased, a complete download that fetched that store reported
// exactly the totals the monitor reports now. A store the monitor holds nothing in has
// nothing to lose.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "device/clear_device.h"
#include "device/count_request.h"

namespace wd {

// Which downloads may vouch for the monitor now attached. Empty strings match any.
struct GuardScope {
  std::int64_t sinceUtc = 0;  // started at or after (the window program: its own start)
  std::string computer;       // made on this computer
  std::string port;           // from this port
};

struct ArchiveCoverage {
  bool archived = false;
  // The downloads that hold them: for each store the newest that vouches, without repeats.
  std::vector<std::string> folders;
};

ArchiveCoverage CheckArchived(std::span<const DownloadSummary> downloads, const DeviceTotals& now,
                              ClearSelection selection, const GuardScope& scope);

}  // namespace wd

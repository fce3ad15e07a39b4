#include "archive/erase_guard.h"

#include <algorithm>

namespace wd {
namespace {

bool InScope(const DownloadSummary& download, const GuardScope& scope) {
  return download.index.startUtc >= scope.sinceUtc &&
         (scope.computer.empty() || download.index.computer == scope.computer) &&
         (scope.port.empty() || download.index.port == scope.port);
}

// A complete download of this store that saw the monitor holding what it holds now; its
// newest, or null.
const DownloadSummary* Vouching(std::span<const DownloadSummary> downloads, const DeviceTotals& now,
                                bool monitoring, const GuardScope& scope) {
  const DownloadSummary* newest = nullptr;
  for (const DownloadSummary& download : downloads) {
    const DownloadIndex& index = download.index;
    if (download.result != DownloadResult::Complete || !index.totals || *index.totals != now ||
        !(monitoring ? index.wantMonitoring : index.wantWardRound) || !InScope(download, scope)) {
      continue;
    }
    if (!newest || index.startUtc > newest->index.startUtc) newest = &download;
  }
  return newest;
}

}  // namespace

ArchiveCoverage CheckArchived(std::span<const DownloadSummary> downloads, const DeviceTotals& now,
                              ClearSelection selection, const GuardScope& scope) {
  ArchiveCoverage coverage{true, {}};
  for (const bool monitoring : {true, false}) {
    const bool selected = monitoring ? selection.monitoring : selection.wardRound;
    const std::uint32_t held = monitoring ? now.monitoring : now.wardRound;
    if (!selected || held == 0) continue;
    const DownloadSummary* download = Vouching(downloads, now, monitoring, scope);
    if (!download) {
      coverage.archived = false;
      continue;
    }
    if (std::find(coverage.folders.begin(), coverage.folders.end(), download->folder) ==
        coverage.folders.end()) {
      coverage.folders.push_back(download->folder);
    }
  }
  if (!coverage.archived) coverage.folders.clear();
  return coverage;
}

}  // namespace wd

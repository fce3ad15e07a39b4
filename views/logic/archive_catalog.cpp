#include "views/logic/archive_catalog.h"

#include <algorithm>

#include "archive/archive_folder.h"
#include "data/file_io.h"

namespace wd {
namespace {

bool Finished(const DownloadSummary& download) {
  return download.result == DownloadResult::Complete ||
         download.result == DownloadResult::Stopped || download.result == DownloadResult::Failed;
}

}  // namespace

FileResult ArchiveCatalog::Refresh(const std::filesystem::path& root,
                                   std::vector<DownloadSummary>& out) {
  const std::lock_guard lock(mutex_);
  out.clear();
  if (root != root_) {
    root_ = root;
    finished_.clear();
  }
  if (finished_.empty()) {
    // Nothing known yet: the archive's own listing, which asks the system less per download.
    const FileResult listed = ListArchive(root, out);
    for (const DownloadSummary& download : out) {
      if (Finished(download)) finished_.emplace(download.folder, download);
    }
    return listed;
  }
  std::vector<fileio::FolderEntry> entries;
  if (const FileResult listed = fileio::ListFolder(root, entries); !listed) {
    finished_.clear();
    return listed;
  }
  std::unordered_map<std::string, DownloadSummary> stillThere;
  for (const fileio::FolderEntry& entry : entries) {
    const std::string name = Utf8Name(entry.name);
    if (!entry.isFolder || name.starts_with(".")) continue;
    if (const auto known = finished_.find(name); known != finished_.end()) {
      out.push_back(known->second);
      stillThere.emplace(name, std::move(known->second));
      continue;
    }
    std::optional<DownloadSummary> summary = ReadDownloadSummary(root, name);
    if (!summary) continue;
    if (Finished(*summary)) stillThere.emplace(name, *summary);
    out.push_back(std::move(*summary));
  }
  finished_ = std::move(stillThere);
  // The order ListArchive gives.
  std::sort(out.begin(), out.end(), [](const DownloadSummary& a, const DownloadSummary& b) {
    if (a.index.startUtc != b.index.startUtc) return a.index.startUtc > b.index.startUtc;
    return a.folder > b.folder;
  });
  return FileResult::Ok();
}

}  // namespace wd

#pragma once
// The archive's list as the archive view shows it, kept between openings: a download that has
// finished (complete, stopped or failed) never changes again, so its summary is read once;
// new folders and unfinished downloads are read at every refresh, and vanished ones drop out.
// The frame warms it on a thread of its own at start-up, so the first opening is quick too.

#include <filesystem>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/archive_reader.h"
#include "data/file_result.h"

namespace wd {

class ArchiveCatalog {
 public:
  // The downloads of `root`, newest first, as ListArchive gives them. A refresh of another
  // root starts afresh. Safe to call from several threads.
  FileResult Refresh(const std::filesystem::path& root, std::vector<DownloadSummary>& out);

 private:
  std::mutex mutex_;
  std::filesystem::path root_;
  std::unordered_map<std::string, DownloadSummary> finished_;  // by folder name
};

}  // namespace wd

#pragma once
// The files of one archived download while it is written. Records are appended on the
// download thread as each reply is accepted, so a killed program has lost none of them; a
// thread of the journal's own puts them on the disk and replaces the index, so a slow disk or
// share does not hold up the download. The first failure is reported once and ends all writing.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "data/file_io.h"
#include "data/file_result.h"
#include "data/patient_id.h"
#include "device/replies.h"

namespace wd {

struct ArchiveError {
  std::filesystem::path path;  // the file or folder that could not be written
  FileResult result;
  std::string detail;  // for a failure that is not a file's (no thread to be had)
};
// "<path>: <reason>".
std::string Describe(const ArchiveError& error);
using ArchiveErrorHandler = std::function<void(const ArchiveError&)>;

class JournalFiles {
 public:
  // `onError` is called at most once, on the download thread or the journal's own.
  explicit JournalFiles(ArchiveErrorHandler onError);
  ~JournalFiles();
  JournalFiles(const JournalFiles&) = delete;
  JournalFiles& operator=(const JournalFiles&) = delete;

  // Makes the root when missing and a new folder in it; its name, or nullopt once the failure
  // was reported.
  std::optional<std::string> Create(const std::filesystem::path& root, std::int64_t startUtc,
                                    std::string_view computer);
  // The reply's records to its person's ".mDat" (begun with the id when new) or to
  // "wardround.cDat", as one write; then to the disk.
  void Append(const AcceptedRecords& records);
  // Replaces "download.ini" with `text` once everything appended before is on the disk.
  void WriteIndex(std::string text);
  // Waits until everything appended and every index asked so far is on the disk, at most
  // `limit`; false when that did not happen (a failure, or the time ran out).
  bool WaitUntilOnDisk(std::chrono::milliseconds limit);
  // Waits until everything is on the disk, at most `limit` (a share that hangs is left to
  // finish alone, and its failure is no longer reported). Nothing is written after it.
  void Finish(std::chrono::milliseconds limit);

  // Ends the archiving for a failure that is not a file's, reported like one.
  void Abandon(const std::filesystem::path& path, std::string detail);

  bool failed() const;
  std::optional<ArchiveError> error() const;
  const std::filesystem::path& folder() const { return folder_; }

  // A file being appended to; shared with the flushing thread until it is on the disk.
  struct OpenFile {
    fileio::AppendFile file;
    std::filesystem::path path;
  };
  struct Shared;

 private:
  std::shared_ptr<OpenFile> OpenForAppend(const std::filesystem::path& path);
  void Write(const std::shared_ptr<OpenFile>& file);

  std::shared_ptr<Shared> shared_;
  std::thread flusher_;
  std::filesystem::path folder_;
  std::shared_ptr<OpenFile> monitoring_;
  PatientId monitoringId_;
  std::unordered_set<PatientId, PatientIdHash> monitoringFiles_;  // persons with a file begun
  std::shared_ptr<OpenFile> wardRound_;
  std::vector<std::uint8_t> buffer_;
  bool finished_ = false;
};

}  // namespace wd

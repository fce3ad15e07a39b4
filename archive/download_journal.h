#pragma once
// The archive's copy of one download, written as it arrives: a listener of the acquisition
// engine, told every event on the download thread, never on the window's.
//
//   DownloadJournal journal(state, {root, port});
//   DownloadListeners events{&windowEvents, &journal};
//   RunAcquisition(state, store, link, clock, events);   // or AcquisitionThread
//
// A failure to write is reported once through the settings' handler and ends the archiving
// only: the download goes on.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>

#include "archive/download_index.h"
#include "archive/journal_files.h"
#include "data/download_state.h"
#include "device/acquisition.h"

namespace wd {

struct JournalSettings {
  std::filesystem::path root;  // the archive: a folder per download is made in it
  std::string port;            // the port's name, for the index
  ArchiveErrorHandler onError;
  std::string computer;  // empty: this computer's name
  // Seconds since 1970 now; empty: the system clock.
  std::function<std::int64_t()> now;
  // How long the end of the download waits for the disk before leaving it to finish alone.
  std::chrono::milliseconds finishLimit{10000};
};

class DownloadJournal final : public DownloadEvents {
 public:
  // `state` is the download's: the selection and the totals are read from it.
  DownloadJournal(const DownloadState& state, JournalSettings settings);

  void OnProgress(ProgressPhase phase, int value) override;
  void OnMessage(DeviceMessage message) override;
  void OnRecordsAccepted(const AcceptedRecords& records) override;

  // Waits until what the download received so far is on the disk (the journal's own thread
  // puts it there); false on a failure or when `limit` passed first.
  bool WaitUntilOnDisk(std::chrono::milliseconds limit) { return files_.WaitUntilOnDisk(limit); }

  // For the owner once the download has ended. The folder's name in the root (empty when none
  // could be made), the index as last written, and the failure if there was one.
  const std::string& folder() const { return folder_; }
  const DownloadIndex& index() const { return index_; }
  std::optional<ArchiveError> error() const { return files_.error(); }

 private:
  std::int64_t Now() const;
  template <typename Step>
  void Guarded(Step&& step);

  const DownloadState& state_;
  JournalSettings settings_;
  JournalFiles files_;
  DownloadIndex index_;
  std::string folder_;
  std::unordered_set<PatientId, PatientIdHash> persons_;
};

}  // namespace wd

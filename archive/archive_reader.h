#pragma once
// Reading an archive without the program that wrote it: its downloads, newest first, each
// download's persons and records. A file cut short by a kill is read up to its last whole
// record; every record before it is kept.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "archive/download_index.h"
#include "data/file_result.h"
#include "data/patient_id.h"
#include "data/vital_record.h"

namespace wd {

struct DownloadSummary {
  std::string folder;  // its name in the archive, UTF-8
  // As its index says. For a missing or torn index: start and computer from the folder's name.
  DownloadIndex index;
  bool indexReadable = false;
  // The index's result, except that an unfinished download is Running while the program that
  // writes it runs on this computer, else Interrupted (a missing or torn index included).
  DownloadResult result = DownloadResult::Interrupted;
  // What its files hold: from the index when it finished, else counted from the files.
  std::uint64_t persons = 0;
  std::uint64_t monitoringRecords = 0;
  std::uint64_t wardRoundRecords = 0;
};

// The downloads in the archive, newest first. A folder that is neither named like a download
// nor holds an index is not one and is left out. Fails only when the archive cannot be listed.
FileResult ListArchive(const std::filesystem::path& root, std::vector<DownloadSummary>& out);
// One download by its folder's name; nullopt when there is no such download.
std::optional<DownloadSummary> ReadDownloadSummary(const std::filesystem::path& root,
                                                   const std::string& folder);

struct ArchivedPerson {
  PatientId id;
  std::size_t monitoring = 0;
  std::size_t wardRound = 0;
  VitalRecord first{};  // the person's earliest and latest record by time
  VitalRecord last{};
};
// The persons of one download's folder, by id.
FileResult ReadDownloadPersons(const std::filesystem::path& download,
                               std::vector<ArchivedPerson>& out);

// One person's records of one download: the monitoring file's, then the ward-round file's,
// each in the order received.
FileResult ReadDownloadRecords(const std::filesystem::path& download, const PatientId& id,
                               std::vector<VitalRecord>& out);

// The data files of a download's folder (".mDat" files, then "wardround.cDat"), to import
// them as files of those kinds are imported.
FileResult DownloadDataFiles(const std::filesystem::path& download,
                             std::vector<std::filesystem::path>& out);

enum class DeleteProblem {
  None,
  NotADownload,  // no such download, or its folder holds something the archive did not write
  StillWriting,  // a running program is writing it
  FileFailed,    // a file could not be removed; see the result
};
struct DeleteOutcome {
  DeleteProblem problem = DeleteProblem::None;
  FileResult file;
  std::filesystem::path path;
};
// Removes one download (its index first, so a removal cut short reads as interrupted). The
// archive is never pruned by itself: this is for the user, after a confirmation.
DeleteOutcome DeleteDownload(const std::filesystem::path& root, const std::string& folder);

}  // namespace wd

#include "archive/person_history.h"

#include <algorithm>
#include <unordered_map>

#include "archive/archive_folder.h"
#include "data/data_files.h"
#include "data/file_io.h"
#include "data/id_file_name.h"

namespace wd {
namespace {

struct Gathered {
  HistoryMerge merge;
  std::size_t downloads = 0;
  std::size_t lastDownload = 0;  // numbered from 1
};

struct DownloadFolder {
  std::int64_t startUtc;
  std::filesystem::path name;
};

// The download folders of the archive, oldest first (by the time in their names).
FileResult DownloadFoldersOldestFirst(const std::filesystem::path& root,
                                      std::vector<DownloadFolder>& out) {
  std::vector<fileio::FolderEntry> entries;
  if (FileResult listed = fileio::ListFolder(root, entries); !listed) return listed;
  for (const fileio::FolderEntry& entry : entries) {
    const std::string name = Utf8Name(entry.name);
    if (!entry.isFolder || name.starts_with(".")) continue;
    const std::optional<FolderNameParts> parts = ParseDownloadFolderName(name);
    out.push_back({parts ? parts->startUtc : 0, entry.name});
  }
  std::sort(out.begin(), out.end(), [](const DownloadFolder& a, const DownloadFolder& b) {
    return a.startUtc != b.startUtc ? a.startUtc < b.startUtc : a.name < b.name;
  });
  return FileResult::Ok();
}

// Whether a monitoring file may hold a matching person, by its name alone; a name the
// archive would not give is looked into.
template <typename Matches>
bool MayMatch(const std::filesystem::path& file, const Matches& matches) {
  const std::optional<PatientId> id = IdFromFileName(Utf8Name(file.stem()));
  return !id || matches(*id);
}

// The monitoring files of a download that may hold a matching person: for known ids the files
// their names give (no listing of the folder), else every monitoring file.
template <typename Matches>
void MonitoringFilesFor(const std::filesystem::path& download, const Matches& matches,
                        std::span<const PatientId> exactIds, DownloadFolderFiles& files) {
  files = {};
  if (exactIds.empty()) {
    ScanDownloadFolder(download, files);
    std::erase_if(files.monitoringFiles,
                  [&](const std::filesystem::path& file) { return !MayMatch(file, matches); });
    return;
  }
  for (const PatientId& id : exactIds) {
    files.monitoringFiles.push_back(
        download / PathFromUtf8(FileNameForId(id) + std::string(kMonitorFileExtension)));
  }
  files.wardRoundFile = true;
}

// `exactIds`, when given, are all the ids `matches` takes.
template <typename Matches>
FileResult Gather(const std::filesystem::path& root, const Matches& matches,
                  std::span<const PatientId> exactIds, std::vector<PersonHistory>& out) {
  out.clear();
  std::vector<DownloadFolder> folders;
  if (FileResult listed = DownloadFoldersOldestFirst(root, folders); !listed) return listed;
  std::unordered_map<PatientId, Gathered, PatientIdHash> persons;
  std::size_t number = 0;
  auto add = [&](const PatientId& id, std::span<const VitalRecord> records) {
    Gathered& person = persons[id];
    person.merge.Add(records);
    if (person.lastDownload != number) ++person.downloads;
    person.lastDownload = number;
  };
  std::vector<std::uint8_t> data;
  DownloadFolderFiles files;
  for (const DownloadFolder& folder : folders) {
    ++number;
    const std::filesystem::path download = root / folder.name;
    MonitoringFilesFor(download, matches, exactIds, files);
    // Monitoring records first, as the download received them.
    for (const std::filesystem::path& file : files.monitoringFiles) {
      if (!fileio::ReadAll(file, data)) continue;
      const std::optional<MonitorFileContents> contents = ParseMonitorFile(data);
      if (contents && !contents->records.empty() && matches(contents->id)) {
        add(contents->id, contents->records);
      }
    }
    if (!files.wardRoundFile || !fileio::ReadAll(download / kWardRoundFileName, data)) continue;
    for (const CheckFileUnit& unit : ParseCheckFile(data).units) {
      if (matches(unit.id)) add(unit.id, std::span(&unit.record, 1));
    }
  }
  for (auto& [id, person] : persons) out.push_back({id, person.merge.Take(), person.downloads});
  std::sort(out.begin(), out.end(),
            [](const PersonHistory& a, const PersonHistory& b) { return a.id.bytes < b.id.bytes; });
  return FileResult::Ok();
}

}  // namespace

void HistoryMerge::Add(std::span<const VitalRecord> records) {
  for (const VitalRecord& record : records) {
    if (minutes_.contains(record.MinuteKey())) continue;
    minutes_.insert(record.MinuteKey());
    records_.push_back(record);
  }
}

std::vector<VitalRecord> HistoryMerge::Take() {
  std::stable_sort(
      records_.begin(), records_.end(),
      [](const VitalRecord& a, const VitalRecord& b) { return a.MinuteKey() < b.MinuteKey(); });
  std::vector<VitalRecord> taken = std::move(records_);
  records_.clear();
  minutes_ = MinuteSet();
  return taken;
}

FileResult HistoryByIdPrefix(const std::filesystem::path& root, std::string_view prefix,
                             std::vector<PersonHistory>& out) {
  if (prefix.size() > kPatientIdSize) {
    out.clear();
    return FileResult::Ok();
  }
  const auto matches = [prefix](const PatientId& id) {
    return std::equal(prefix.begin(), prefix.end(), id.bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
  };
  // A whole id is one person: its file is found by its name.
  const PatientId whole = PatientId::FromText(prefix);
  const std::span<const PatientId> exact =
      prefix.size() == kPatientIdSize ? std::span(&whole, 1) : std::span<const PatientId>();
  return Gather(root, matches, exact, out);
}

FileResult HistoryOf(const std::filesystem::path& root, std::span<const PatientId> ids,
                     std::vector<PersonHistory>& out) {
  if (ids.empty()) {
    out.clear();
    return fileio::IsFolder(root) ? FileResult::Ok() : FileResult::Fail(FileError::NotFound);
  }
  return Gather(
      root,
      [ids](const PatientId& id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); },
      ids, out);
}

}  // namespace wd

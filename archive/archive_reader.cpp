#include "archive/archive_reader.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "archive/archive_folder.h"
#include "data/data_files.h"
#include "data/file_io.h"
#include "data/id_file_name.h"

namespace wd {
namespace {

// Calls `monitoring(contents)` for each whole monitoring file and `wardRound(contents)` for the
// ward-round file; files that cannot be read count as empty (a reader shows what it can).
template <typename OnMonitoring, typename OnWardRound>
FileResult ReadDataFiles(const std::filesystem::path& download, OnMonitoring monitoring,
                         OnWardRound wardRound) {
  DownloadFolderFiles contents;
  if (FileResult scanned = ScanDownloadFolder(download, contents); !scanned) return scanned;
  std::vector<std::uint8_t> data;
  for (const std::filesystem::path& file : contents.monitoringFiles) {
    if (!fileio::ReadAll(file, data)) continue;
    if (const std::optional<MonitorFileContents> parsed = ParseMonitorFile(data))
      monitoring(*parsed);
  }
  if (contents.wardRoundFile && fileio::ReadAll(download / kWardRoundFileName, data)) {
    wardRound(ParseCheckFile(data));
  }
  return FileResult::Ok();
}

void CountFromFiles(const std::filesystem::path& download, DownloadSummary& summary) {
  std::unordered_set<PatientId, PatientIdHash> persons;
  ReadDataFiles(
      download,
      [&](const MonitorFileContents& file) {
        if (!file.records.empty()) persons.insert(file.id);
        summary.monitoringRecords += file.records.size();
      },
      [&](const CheckFileContents& file) {
        for (const CheckFileUnit& unit : file.units) persons.insert(unit.id);
        summary.wardRoundRecords += file.units.size();
      });
  summary.persons = persons.size();
}

std::optional<DownloadSummary> Summarise(const std::filesystem::path& root,
                                         const std::string& folder,
                                         const std::string& thisComputer) {
  const std::filesystem::path download = root / PathFromUtf8(folder);
  DownloadSummary summary;
  summary.folder = folder;
  std::vector<std::uint8_t> bytes;
  const FileResult read = fileio::ReadAll(download / kIndexFileName, bytes);
  if (read) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (std::optional<DownloadIndex> index = ParseIndex(text)) {
      summary.index = std::move(*index);
      summary.indexReadable = true;
    }
  }
  if (!summary.indexReadable) {
    const std::optional<FolderNameParts> parts = ParseDownloadFolderName(folder);
    if (!parts && read.error == FileError::NotFound) return std::nullopt;
    if (parts) {
      summary.index.startUtc = parts->startUtc;
      summary.index.computer = parts->computer;
    }
  }
  const DownloadResult written = summary.index.result;
  const bool finished = summary.indexReadable && written != DownloadResult::Interrupted &&
                        written != DownloadResult::Running;
  if (finished) {
    summary.result = written;
    summary.persons = summary.index.persons;
    summary.monitoringRecords = summary.index.monitoring.received;
    summary.wardRoundRecords = summary.index.wardRound.received;
    return summary;
  }
  summary.result = summary.indexReadable && summary.index.computer == thisComputer &&
                           IsRunning(summary.index.process)
                       ? DownloadResult::Running
                       : DownloadResult::Interrupted;
  CountFromFiles(download, summary);
  return summary;
}

bool IsPlainName(const std::string& folder) {
  return !folder.empty() && folder != "." && folder != ".." &&
         folder.find_first_of("/\\") == std::string::npos;
}

}  // namespace

FileResult ListArchive(const std::filesystem::path& root, std::vector<DownloadSummary>& out) {
  out.clear();
  std::vector<fileio::FolderEntry> entries;
  if (FileResult listed = fileio::ListFolder(root, entries); !listed) return listed;
  const std::string thisComputer = ComputerName();
  for (const fileio::FolderEntry& entry : entries) {
    const std::string name = Utf8Name(entry.name);
    if (!entry.isFolder || name.starts_with(".")) continue;
    if (std::optional<DownloadSummary> summary = Summarise(root, name, thisComputer)) {
      out.push_back(std::move(*summary));
    }
  }
  std::sort(out.begin(), out.end(), [](const DownloadSummary& a, const DownloadSummary& b) {
    if (a.index.startUtc != b.index.startUtc) return a.index.startUtc > b.index.startUtc;
    return a.folder > b.folder;
  });
  return FileResult::Ok();
}

std::optional<DownloadSummary> ReadDownloadSummary(const std::filesystem::path& root,
                                                   const std::string& folder) {
  if (!IsPlainName(folder) || !fileio::IsFolder(root / PathFromUtf8(folder))) return std::nullopt;
  return Summarise(root, folder, ComputerName());
}

FileResult ReadDownloadPersons(const std::filesystem::path& download,
                               std::vector<ArchivedPerson>& out) {
  out.clear();
  std::unordered_map<PatientId, ArchivedPerson, PatientIdHash> persons;
  auto note = [&persons](const PatientId& id, const VitalRecord& record) -> ArchivedPerson& {
    ArchivedPerson& person = persons[id];
    person.id = id;
    const bool none = person.monitoring + person.wardRound == 0;
    if (none || record.MinuteKey() < person.first.MinuteKey()) person.first = record;
    if (none || record.MinuteKey() >= person.last.MinuteKey()) person.last = record;
    return person;
  };
  const FileResult read = ReadDataFiles(
      download,
      [&](const MonitorFileContents& file) {
        for (const VitalRecord& record : file.records) ++note(file.id, record).monitoring;
      },
      [&](const CheckFileContents& file) {
        for (const CheckFileUnit& unit : file.units) ++note(unit.id, unit.record).wardRound;
      });
  if (!read) return read;
  for (auto& [id, person] : persons) out.push_back(person);
  std::sort(out.begin(), out.end(), [](const ArchivedPerson& a, const ArchivedPerson& b) {
    return a.id.bytes < b.id.bytes;
  });
  return FileResult::Ok();
}

FileResult ReadDownloadRecords(const std::filesystem::path& download, const PatientId& id,
                               std::vector<VitalRecord>& out) {
  out.clear();
  if (!fileio::IsFolder(download)) return FileResult::Fail(FileError::NotFound);
  std::vector<std::uint8_t> data;
  const auto monitoring =
      download / PathFromUtf8(FileNameForId(id) + std::string(kMonitorFileExtension));
  if (fileio::ReadAll(monitoring, data)) {
    const std::optional<MonitorFileContents> file = ParseMonitorFile(data);
    if (file && file->id == id) out = file->records;
  }
  if (fileio::ReadAll(download / kWardRoundFileName, data)) {
    for (const CheckFileUnit& unit : ParseCheckFile(data).units) {
      if (unit.id == id) out.push_back(unit.record);
    }
  }
  return FileResult::Ok();
}

FileResult DownloadDataFiles(const std::filesystem::path& download,
                             std::vector<std::filesystem::path>& out) {
  DownloadFolderFiles contents;
  if (FileResult scanned = ScanDownloadFolder(download, contents); !scanned) return scanned;
  out = std::move(contents.monitoringFiles);
  if (contents.wardRoundFile) out.push_back(download / kWardRoundFileName);
  return FileResult::Ok();
}

DeleteOutcome DeleteDownload(const std::filesystem::path& root, const std::string& folder) {
  const std::optional<DownloadSummary> summary = ReadDownloadSummary(root, folder);
  if (!summary) return {DeleteProblem::NotADownload, {}, root / PathFromUtf8(folder)};
  if (summary->result == DownloadResult::Running) return {DeleteProblem::StillWriting, {}, {}};
  const std::filesystem::path download = root / PathFromUtf8(folder);
  std::vector<fileio::FolderEntry> entries;
  if (FileResult listed = fileio::ListFolder(download, entries); !listed) {
    return {DeleteProblem::FileFailed, listed, download};
  }
  for (const fileio::FolderEntry& entry : entries) {
    if (entry.isFolder || KindOfJournalFile(Utf8Name(entry.name)) == JournalFileKind::Other) {
      return {DeleteProblem::NotADownload, {}, download / entry.name};
    }
  }
  // The index first: a removal cut short leaves a download that reads as interrupted.
  std::stable_partition(entries.begin(), entries.end(), [](const fileio::FolderEntry& entry) {
    return KindOfJournalFile(Utf8Name(entry.name)) == JournalFileKind::Index;
  });
  for (const fileio::FolderEntry& entry : entries) {
    if (FileResult removed = fileio::RemoveFile(download / entry.name); !removed) {
      return {DeleteProblem::FileFailed, removed, download / entry.name};
    }
  }
  if (FileResult removed = fileio::RemoveEmptyFolder(download); !removed) {
    return {DeleteProblem::FileFailed, removed, download};
  }
  return {};
}

}  // namespace wd

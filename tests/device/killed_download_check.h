#pragma once
// A download killed in the middle, checked against what monitor-sim served: the archive must
// hold the records of every reply accepted before the kill, record by record. wardcli's native
// test and the window program's test under Wine both use it.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/data_files.h"
#include "data/file_io.h"
#include "data/id_file_name.h"
#include "tools/monitor-sim/data_set.h"

namespace wd::test {

// The one download folder of an archive, or an empty path while there is none.
inline std::filesystem::path OnlyDownload(const std::filesystem::path& archive) {
  std::error_code ec;
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(archive, ec)) {
    if (entry.is_directory()) found.push_back(entry.path());
  }
  return found.size() == 1 ? found[0] : std::filesystem::path();
}

using ArchivedFiles = std::map<std::string, std::vector<VitalRecord>>;

// The archive's monitoring files, each with its contents as the archive's reader takes them
// (none where the file cannot be read as one).
template <class Visit>
void ForEachMonitoringFile(const std::filesystem::path& folder, Visit visit) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".mDat") continue;
    std::vector<std::uint8_t> bytes;
    if (!fileio::ReadAll(entry.path(), bytes)) continue;
    visit(entry.path(), ParseMonitorFile(bytes));
  }
}

// Whole monitoring records per file name, once the download has ended.
inline ArchivedFiles MonitoringFiles(const std::filesystem::path& folder) {
  ArchivedFiles files;
  ForEachMonitoringFile(folder, [&files](const std::filesystem::path& path, const auto& contents) {
    EXPECT_TRUE(contents) << path;
    if (!contents) return;
    EXPECT_LT(contents->trailingBytes, VitalRecord::kSize);  // at most one record cut short
    EXPECT_EQ(path.filename().string(), FileNameForId(contents->id) + ".mDat");
    files[FileNameForId(contents->id)] = contents->records;
  });
  return files;
}

// Whole monitoring records the files hold while the download still writes them: a file it has
// only just made, its header not yet whole, holds none so far.
inline std::size_t RecordsSoFar(const std::filesystem::path& folder) {
  std::size_t total = 0;
  ForEachMonitoringFile(folder, [&total](const std::filesystem::path&, const auto& contents) {
    if (contents) total += contents->records.size();
  });
  return total;
}

inline std::size_t Total(const ArchivedFiles& files) {
  std::size_t total = 0;
  for (const auto& [name, records] : files) total += records.size();
  return total;
}

// A number from monitor-sim's --stats file; 0 when absent.
inline std::uint64_t StatOf(const std::filesystem::path& file, const std::string& name) {
  std::ifstream in(file);
  std::string key;
  std::uint64_t value = 0;
  while (in >> key >> value) {
    if (key == name) return value;
  }
  return 0;
}

// The monitoring records served in order, and after how many of them each reply ended: the
// monitor pages one person at a time, at most `perReply` records a reply.
struct Served {
  std::vector<std::pair<PatientId, VitalRecord>> records;
  std::vector<std::size_t> replyEnds;  // replyEnds[k]: records served by replies 0..k
};
inline Served ServedInOrder(const sim::DataSet& data, std::size_t perReply) {
  Served served;
  for (const sim::MonitoringPatient& patient : data.monitoring) {
    for (std::size_t i = 0; i < patient.records.size(); ++i) {
      served.records.emplace_back(
          patient.id, UnpackWireRecord(PackWireRecord(patient.records[i]), RecordKind::Monitoring));
      if ((i + 1) % perReply == 0 || i + 1 == patient.records.size()) {
        served.replyEnds.push_back(served.records.size());
      }
    }
  }
  return served;
}

// A request goes out only after the reply before it was accepted and archived; the reply to
// the last of `dataRequests` may or may not have been accepted at the kill. The files hold
// exactly the first records served up to one of those two replies, each in its person's file,
// in order. The number of persons the files hold goes to `persons`.
inline ::testing::AssertionResult KeptAsServed(const Served& served, std::size_t dataRequests,
                                               const ArchivedFiles& files, std::size_t& persons) {
  if (dataRequests < 1 || dataRequests >= served.replyEnds.size()) {
    return ::testing::AssertionFailure()
           << dataRequests << " data requests: the download ended before the kill";
  }
  const std::size_t kept = Total(files);
  const std::size_t atLeast = dataRequests >= 2 ? served.replyEnds[dataRequests - 2] : 0;
  const std::size_t atMost = served.replyEnds[dataRequests - 1];
  if (kept != atLeast && kept != atMost) {
    return ::testing::AssertionFailure()
           << kept << " records kept; accepted replies ended at " << atLeast << " or " << atMost;
  }
  ArchivedFiles expected;
  for (std::size_t i = 0; i < kept; ++i) {
    expected[FileNameForId(served.records[i].first)].push_back(served.records[i].second);
  }
  persons = expected.size();
  if (files.size() != expected.size()) {
    return ::testing::AssertionFailure()
           << files.size() << " files for " << expected.size() << " persons";
  }
  for (const auto& [name, records] : expected) {
    const auto found = files.find(name);
    if (found == files.end()) return ::testing::AssertionFailure() << "no file " << name;
    if (found->second.size() != records.size()) {
      return ::testing::AssertionFailure()
             << name << ": " << found->second.size() << " records for " << records.size();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (found->second[i].ToBytes() != records[i].ToBytes()) {
        return ::testing::AssertionFailure() << name << " record " << i << " differs";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace wd::test

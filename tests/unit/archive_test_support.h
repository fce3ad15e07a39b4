#pragma once
// Archived downloads made without a monitor: the journal told the events a download would
// tell it, with replies of chosen records.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "archive/download_journal.h"
#include "tests/unit/test_support.h"

namespace wd::test {

// 5 March 2024 07:08:09 UTC, and moments after it.
inline constexpr std::int64_t kMorning = 1709622489;

class JournalRun {
 public:
  JournalRun(const std::filesystem::path& root, std::int64_t start,
             std::string computer = "WARD-PC", std::string port = "COM3")
      : journal_(state_, Settings(root, start, std::move(computer), std::move(port))) {}

  JournalRun& Start(bool monitoring = true, bool wardRound = true) {
    state_.PrepareStart(monitoring, wardRound);
    journal_.OnProgress(ProgressPhase::Started, 0);
    return *this;
  }
  JournalRun& Count(std::uint32_t monitoring, std::uint32_t wardRound) {
    state_.monitoringTotal = static_cast<std::int32_t>(monitoring);
    state_.wardRoundTotal = static_cast<std::int32_t>(wardRound);
    journal_.OnProgress(ProgressPhase::Counted, 0);
    return *this;
  }
  // One monitoring reply of `records` (all stored).
  JournalRun& Monitoring(const PatientId& id, const std::vector<VitalRecord>& records) {
    payload_.assign(id.bytes.begin(), id.bytes.end());
    for (const VitalRecord& record : records) Add(PackWireRecord(record).bytes);
    journal_.OnRecordsAccepted(
        AcceptedRecords(RecordKind::Monitoring, payload_, records.size(), records.size()));
    return *this;
  }
  JournalRun& WardRound(const std::vector<std::pair<PatientId, VitalRecord>>& entries) {
    payload_.clear();
    for (const auto& [id, record] : entries) {
      Add(id.bytes);
      Add(PackWireRecord(record).bytes);
    }
    journal_.OnRecordsAccepted(
        AcceptedRecords(RecordKind::WardRound, payload_, entries.size(), entries.size()));
    return *this;
  }
  JournalRun& Finish(int result = 1) {
    journal_.OnProgress(ProgressPhase::Finished, result);
    return *this;
  }

  DownloadJournal& journal() { return journal_; }
  DownloadState& state() { return state_; }
  std::vector<ArchiveError>& errors() { return errors_; }

 private:
  JournalSettings Settings(const std::filesystem::path& root, std::int64_t start,
                           std::string computer, std::string port) {
    JournalSettings settings;
    settings.root = root;
    settings.port = std::move(port);
    settings.computer = std::move(computer);
    settings.now = [start] { return start; };
    settings.onError = [this](const ArchiveError& error) { errors_.push_back(error); };
    return settings;
  }
  template <typename Bytes>
  void Add(const Bytes& bytes) {
    payload_.insert(payload_.end(), bytes.begin(), bytes.end());
  }

  DownloadState state_;
  std::vector<ArchiveError> errors_;
  DownloadJournal journal_;
  std::vector<std::uint8_t> payload_;
};

// Minutes of one day as records: `first`, first + 1, ... of kind `kind`, SpO2 `spo2`.
inline std::vector<VitalRecord> Minutes(int first, int count,
                                        RecordKind kind = RecordKind::Monitoring, int spo2 = 97) {
  std::vector<VitalRecord> records;
  for (int m = first; m < first + count; ++m) {
    records.push_back(Record(kind, 1 + m / 1440, m / 60 % 24, m % 60, spo2));
  }
  return records;
}

inline void ExpectSameRecords(const std::vector<VitalRecord>& expected,
                              const std::vector<VitalRecord>& actual) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    ASSERT_EQ(actual[i].ToBytes(), expected[i].ToBytes()) << "record " << i;
  }
}

}  // namespace wd::test

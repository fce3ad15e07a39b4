// The archive's journal of one download: records written as each reply is accepted, an index
// that says "interrupted" until the end, failures told once without touching the download.

#include <gtest/gtest.h>

#include <string>

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "data/data_files.h"
#include "data/id_file_name.h"
#include "device/download_listeners.h"
#include "tests/unit/archive_test_support.h"
#include "tests/unit/device_test_support.h"

namespace wd {
namespace {

using test::Bytes;
using test::CountReply;
using test::Id;
using test::IndexOf;
using test::JournalRun;
using test::kMorning;
using test::MonitoringPage;
using test::TempDir;
using test::WardRoundPage;
using test::WireAt;
using namespace std::chrono_literals;

std::vector<VitalRecord> MonitoringFileRecords(const std::filesystem::path& file) {
  const auto contents = ParseMonitorFile(test::ReadBytes(file));
  return contents ? contents->records : std::vector<VitalRecord>{};
}

// The records the scripted monitor serves from minute `first` on.
std::vector<VitalRecord> Served(int first, int count) {
  std::vector<VitalRecord> records;
  for (int m = first; m < first + count; ++m) {
    records.push_back(UnpackWireRecord(WireAt(m), RecordKind::Monitoring));
  }
  return records;
}

std::optional<DownloadIndex> IndexIn(const std::filesystem::path& folder) {
  const Bytes bytes = test::ReadBytes(folder / kIndexFileName);
  return ParseIndex(std::string(bytes.begin(), bytes.end()));
}

// A monitor with 200 monitoring records in pages of 50 (A's minutes 0..99, B's 100..199) and
// 5 ward-round records, whose reply to request 3 has a bad checksum.
struct ArchivedDownload {
  explicit ArchivedDownload(const std::filesystem::path& root) {
    JournalSettings settings;
    settings.root = root;
    settings.port = "COM3";
    settings.computer = "WARD-PC";
    settings.onError = [this](const ArchiveError& error) { errors.push_back(error); };
    journal.emplace(d.state, std::move(settings));
    d.answer = [this](const Bytes& request, int number) -> Bytes {
      if (peek) peek(number);
      const std::uint16_t index = IndexOf(request);
      switch (request[2]) {
        case 0xEE: return CountReply(5, 200);
        case 0xEB: {
          Bytes page = MonitoringPage(index, Id(index < 100 ? "A" : "B"), 50, index);
          if (number == 3) ++page.back();
          return page;
        }
        default:
          return WardRoundPage(
              index,
              {{Id("A"), 3000}, {Id("C"), 3001}, {Id("C"), 3002}, {Id("A"), 10}, {Id("D"), 3004}});
      }
    };
  }
  int Run() {
    DownloadListeners events{&d.events, &*journal};
    d.state.PrepareStart(true, true);
    d.state.portOpen = true;
    return RunAcquisition(d.state, d.store, d.link, d.clock, events);
  }
  std::filesystem::path Folder(const std::filesystem::path& root) const {
    return root / PathFromUtf8(journal->folder());
  }

  test::Download d;
  std::optional<DownloadJournal> journal;
  std::vector<ArchiveError> errors;
  std::function<void(int)> peek;  // called as each request arrives, before the reply
};

TEST(Journal, EachAcceptedReplyIsInItsFileBeforeTheNextRequest) {
  TempDir root;
  ArchivedDownload a(root.path());
  std::vector<std::size_t> seen;
  a.peek = [&](int number) {
    if (number < 2) return;
    const auto folder = a.Folder(root.path());
    const std::size_t received = static_cast<std::size_t>(a.d.state.monitoringReceived.load());
    const auto inA = MonitoringFileRecords(folder / "A.mDat");
    const auto inB = MonitoringFileRecords(folder / "B.mDat");
    seen.push_back(inA.size() + inB.size());
    // Exactly the accepted replies' records: the rejected reply (request 3) added nothing.
    test::ExpectSameRecords(Served(0, std::min<int>(static_cast<int>(received), 100)), inA);
    test::ExpectSameRecords(Served(100, std::max<int>(static_cast<int>(received) - 100, 0)), inB);
  };
  EXPECT_EQ(a.Run(), 1);
  // Requests 2 .. 6 came after 50, 100, 100 (request 3's reply was rejected, request 4 asks
  // again), 150 and 200 records.
  EXPECT_EQ(seen, (std::vector<std::size_t>{50, 100, 100, 150, 200}));
  a.journal->WaitUntilOnDisk(5s);
  const auto folder = a.Folder(root.path());
  std::vector<std::uint8_t> check = test::ReadBytes(folder / kWardRoundFileName);
  const CheckFileContents wardRound = ParseCheckFile(check);
  ASSERT_EQ(wardRound.units.size(), 5u);
  // As received: A's spot check in a monitored minute is archived though memory dropped it.
  EXPECT_EQ(wardRound.units[3].id, Id("A"));
  EXPECT_EQ(wardRound.units[3].record.kind, 1);
  EXPECT_EQ(wardRound.units[3].record.ToBytes(),
            UnpackWireRecord(WireAt(10), RecordKind::WardRound).ToBytes());
  EXPECT_TRUE(a.errors.empty());

  const std::optional<DownloadIndex> index = IndexIn(folder);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->result, DownloadResult::Complete);
  EXPECT_EQ(index->monitoring.received, 200u);
  EXPECT_EQ(index->monitoring.stored, 200u);
  EXPECT_EQ(index->wardRound.received, 5u);
  EXPECT_EQ(index->wardRound.stored, 4u);
  EXPECT_EQ(index->persons, 4u);
  EXPECT_EQ(index->totals, (DeviceTotals{200, 5}));
  EXPECT_EQ(index->port, "COM3");
  // Nothing but the journal's own files: no temporary file of the index is left.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"A.mDat", "B.mDat", "download.ini", "wardround.cDat"}));
}

TEST(Journal, TheIndexSaysInterruptedUntilTheEndThenTheResult) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start();
  ASSERT_TRUE(run.journal().WaitUntilOnDisk(5s));
  const auto folder = root.path() / PathFromUtf8(run.journal().folder());
  std::optional<DownloadIndex> index = IndexIn(folder);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->result, DownloadResult::Interrupted);
  EXPECT_EQ(index->startUtc, kMorning);
  EXPECT_FALSE(index->totals);
  EXPECT_EQ(index->process, CurrentProcess());

  run.Count(30, 2).Monitoring(Id("A"), test::Minutes(0, 30));
  ASSERT_TRUE(run.journal().WaitUntilOnDisk(5s));
  index = IndexIn(folder);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->result, DownloadResult::Interrupted);
  EXPECT_EQ(index->totals, (DeviceTotals{30, 2}));
  EXPECT_EQ(index->endUtc, 0);

  run.journal().OnMessage(DeviceMessage::CommunicationError);
  run.Finish(0);
  index = IndexIn(folder);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->result, DownloadResult::Failed);
  EXPECT_EQ(index->message, "Communication error!");
  EXPECT_EQ(index->monitoring.received, 30u);
  EXPECT_EQ(index->persons, 1u);
  EXPECT_NE(index->endUtc, 0);

  // A stop asked by the user reads as stopped.
  JournalRun stopped(root.path(), kMorning + 60);
  stopped.Start().Count(30, 0);
  stopped.state().stopRequested = true;
  stopped.Finish(0);
  EXPECT_EQ(IndexIn(root.path() / PathFromUtf8(stopped.journal().folder()))->result,
            DownloadResult::Stopped);
  EXPECT_TRUE(run.errors().empty());
}

TEST(Journal, AnArchiveThatCannotBeMadeIsToldOnceAndTheDownloadGoesOn) {
  TempDir dir;
  test::WriteBytes(dir / "file", {1});
  const std::filesystem::path root = dir / "file" / "archive";
  ArchivedDownload a(root);
  EXPECT_EQ(a.Run(), 1);
  EXPECT_EQ(a.d.RecordCount(Id("A")), 101u);  // and a spot check
  EXPECT_EQ(a.d.RecordCount(Id("B")), 100u);
  EXPECT_TRUE(a.d.events.messages.empty());
  // The file where the archive's parent folder should be is named.
  ASSERT_EQ(a.errors.size(), 1u);
  EXPECT_EQ(a.errors[0].path, dir / "file");
  EXPECT_EQ(a.errors[0].result.error, FileError::AlreadyExists);
  EXPECT_EQ(a.journal->error()->path, dir / "file");
  EXPECT_TRUE(a.journal->folder().empty());
  EXPECT_FALSE(std::filesystem::exists(root));
}

#ifndef _WIN32
TEST(Journal, AFullDiskMidwayIsToldOnceAndTheDownloadGoesOn) {
  TempDir root;
  ArchivedDownload a(root.path());
  // B's file turns out to be on a full disk: writes to /dev/full fail with ENOSPC.
  a.peek = [&](int number) {
    if (number == 1) std::filesystem::create_symlink("/dev/full", a.Folder(root.path()) / "B.mDat");
  };
  EXPECT_EQ(a.Run(), 1);
  EXPECT_EQ(a.d.RecordCount(Id("B")), 100u);
  EXPECT_EQ(a.d.state.wardRoundReceived, 5);
  ASSERT_EQ(a.errors.size(), 1u);
  EXPECT_EQ(a.errors[0].path.filename(), "B.mDat");
  EXPECT_EQ(a.errors[0].result.error, FileError::AppendFailed);
  EXPECT_NE(Describe(a.errors[0]).find("No space left on device"), std::string::npos)
      << Describe(a.errors[0]);
  // Archiving ended there: what came before is kept, nothing after is written.
  const auto folder = a.Folder(root.path());
  EXPECT_EQ(MonitoringFileRecords(folder / "A.mDat").size(), 100u);
  EXPECT_FALSE(std::filesystem::exists(folder / kWardRoundFileName));
  const auto summary = ReadDownloadSummary(root.path(), a.journal->folder());
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->result, DownloadResult::Interrupted);
}
#endif

TEST(Journal, APersonMetAgainGoesOnInTheSameFile) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start().Count(35, 0);
  run.Monitoring(Id("A"), test::Minutes(0, 10)).Monitoring(Id("B"), test::Minutes(0, 5));
  run.Monitoring(Id("A"), test::Minutes(10, 20)).Finish();
  const auto folder = root.path() / PathFromUtf8(run.journal().folder());
  // One id at the head, then every record of both replies.
  const auto a = ParseMonitorFile(test::ReadBytes(folder / "A.mDat"));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->id, Id("A"));
  EXPECT_EQ(a->trailingBytes, 0u);
  test::ExpectSameRecords(test::Minutes(0, 30), a->records);
  EXPECT_EQ(MonitoringFileRecords(folder / "B.mDat").size(), 5u);
  EXPECT_TRUE(run.errors().empty());
}

TEST(Journal, DownloadsInTheSameSecondGetFoldersOfTheirOwn) {
  TempDir root;
  std::vector<std::string> folders;
  for (const char* computer : {"WARD-PC", "WARD-PC", "WARD-PC", "a/b:c?"}) {
    JournalRun run(root.path(), kMorning, computer);
    run.Start().Count(1, 0).Monitoring(Id("A"), test::Minutes(0, 1)).Finish();
    folders.push_back(run.journal().folder());
  }
  const std::string first = DownloadFolderName(kMorning, "WARD-PC");
  EXPECT_EQ(first, FolderStamp(kMorning) + " WARD-PC");
  EXPECT_EQ(folders, (std::vector<std::string>{first, first + " (2)", first + " (3)",
                                               FolderStamp(kMorning) + " a_b_c_"}));
  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(root.path(), downloads));
  ASSERT_EQ(downloads.size(), 4u);
  for (const DownloadSummary& download : downloads) {
    EXPECT_EQ(download.result, DownloadResult::Complete) << download.folder;
    EXPECT_EQ(download.monitoringRecords, 1u);
  }
  // The folder's name alone still tells start and computer.
  const auto parts = ParseDownloadFolderName(first + " (2)");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->computer, "WARD-PC");
  EXPECT_EQ(parts->startUtc, kMorning);
  EXPECT_FALSE(ParseDownloadFolderName("notes"));
  EXPECT_FALSE(ParseDownloadFolderName("2024030-070809 PC"));
}

}  // namespace
}  // namespace wd

// Reading an archive back: downloads newest first, files cut short by a kill, indexes missing
// or torn, downloads still being written, and removing one.

#include <gtest/gtest.h>

#include <fstream>

#include "archive/archive_folder.h"
#include "archive/archive_reader.h"
#include "archive/person_history.h"
#include "data/id_file_name.h"
#include "tests/unit/archive_test_support.h"

namespace wd {
namespace {

using test::Id;
using test::JournalRun;
using test::kMorning;
using test::Minutes;
using test::TempDir;

void AppendBytes(const std::filesystem::path& file, std::size_t count) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  for (std::size_t i = 0; i < count; ++i) out.put(static_cast<char>(0x5A));
}

void WriteIndex(const std::filesystem::path& folder, const DownloadIndex& index) {
  const std::string text = IndexText(index);
  test::WriteBytes(folder / kIndexFileName, {text.begin(), text.end()});
}

// A download of A (30 monitoring records in three replies) and of ward-round checks of A and
// B, killed before its end: no Finished, and the last record of each file half written.
std::string KilledDownload(const std::filesystem::path& root, std::int64_t start) {
  JournalRun run(root, start);
  run.Start().Count(30, 3);
  for (int reply = 0; reply < 3; ++reply) run.Monitoring(Id("A"), Minutes(reply * 10, 10));
  run.WardRound({{Id("A"), Minutes(500, 1, RecordKind::WardRound)[0]},
                 {Id("B"), Minutes(501, 1, RecordKind::WardRound)[0]},
                 {Id("B"), Minutes(502, 1, RecordKind::WardRound)[0]}});
  run.journal().WaitUntilOnDisk(std::chrono::seconds(5));
  const std::filesystem::path folder = root / PathFromUtf8(run.journal().folder());
  AppendBytes(folder / "A.mDat", 7);
  AppendBytes(folder / kWardRoundFileName, 18 + 11);
  return run.journal().folder();
}

TEST(ArchiveReader, ATornLastRecordIsDroppedAndEveryRecordBeforeItKept) {
  TempDir root;
  const std::string folder = KilledDownload(root.path(), kMorning);
  const std::optional<DownloadSummary> summary = ReadDownloadSummary(root.path(), folder);
  ASSERT_TRUE(summary);
  // Written on another computer ("WARD-PC"), never finished: interrupted, counted from files.
  EXPECT_EQ(summary->result, DownloadResult::Interrupted);
  EXPECT_TRUE(summary->indexReadable);
  EXPECT_EQ(summary->monitoringRecords, 30u);
  EXPECT_EQ(summary->wardRoundRecords, 3u);
  EXPECT_EQ(summary->persons, 2u);

  std::vector<VitalRecord> records;
  ASSERT_TRUE(ReadDownloadRecords(root.path() / PathFromUtf8(folder), Id("A"), records));
  std::vector<VitalRecord> expected = Minutes(0, 30);
  expected.push_back(Minutes(500, 1, RecordKind::WardRound)[0]);
  test::ExpectSameRecords(expected, records);

  std::vector<ArchivedPerson> persons;
  ASSERT_TRUE(ReadDownloadPersons(root.path() / PathFromUtf8(folder), persons));
  ASSERT_EQ(persons.size(), 2u);
  EXPECT_EQ(persons[0].id, Id("A"));
  EXPECT_EQ(persons[0].monitoring, 30u);
  EXPECT_EQ(persons[0].wardRound, 1u);
  EXPECT_EQ(persons[0].first.ToBytes(), Minutes(0, 1)[0].ToBytes());
  EXPECT_EQ(persons[0].last.ToBytes(), expected.back().ToBytes());
  EXPECT_EQ(persons[1].id, Id("B"));
  EXPECT_EQ(persons[1].wardRound, 2u);
}

TEST(ArchiveReader, AMissingOrTornIndexReadsAsInterruptedByTheFolderName) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start().Count(20, 0).Monitoring(Id("A"), Minutes(0, 20)).Finish();
  const std::filesystem::path folder = root.path() / PathFromUtf8(run.journal().folder());
  const std::vector<std::uint8_t> whole = test::ReadBytes(folder / kIndexFileName);
  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(root.path(), downloads));
  ASSERT_EQ(downloads.size(), 1u);
  EXPECT_EQ(downloads[0].result, DownloadResult::Complete);

  const std::vector<std::vector<std::uint8_t>> damaged{
      {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() - 7)},  // cut short
      {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)},
      {'x', '=', '1', '\n'},
      {}};
  for (const auto& bytes : damaged) {
    test::WriteBytes(folder / kIndexFileName, bytes);
    ASSERT_TRUE(ListArchive(root.path(), downloads));
    ASSERT_EQ(downloads.size(), 1u);
    EXPECT_FALSE(downloads[0].indexReadable);
    EXPECT_EQ(downloads[0].result, DownloadResult::Interrupted);
    EXPECT_EQ(downloads[0].index.startUtc, kMorning);
    EXPECT_EQ(downloads[0].index.computer, "WARD-PC");
    EXPECT_EQ(downloads[0].monitoringRecords, 20u);
    EXPECT_EQ(downloads[0].persons, 1u);
  }
  std::filesystem::remove(folder / kIndexFileName);
  ASSERT_TRUE(ListArchive(root.path(), downloads));
  ASSERT_EQ(downloads.size(), 1u);
  EXPECT_EQ(downloads[0].result, DownloadResult::Interrupted);
  EXPECT_EQ(downloads[0].monitoringRecords, 20u);
}

TEST(ArchiveReader, AnUnfinishedDownloadIsRunningOnlyWhileItsProgramRuns) {
  TempDir root;
  const std::filesystem::path folder = root / (FolderStamp(kMorning) + " here");
  std::filesystem::create_directory(folder);
  DownloadIndex index;
  index.startUtc = kMorning;
  index.computer = ComputerName();
  index.process = CurrentProcess();
  auto resultRead = [&] {
    WriteIndex(folder, index);
    return ReadDownloadSummary(root.path(), folder.filename().string())->result;
  };
  EXPECT_EQ(resultRead(), DownloadResult::Running);
  // The same id given to a later process is not the writer.
  index.process.started += 1;
  EXPECT_EQ(resultRead(),
            CurrentProcess().started == 0 ? DownloadResult::Running : DownloadResult::Interrupted);
  index.process = {999999999, 0};
  EXPECT_EQ(resultRead(), DownloadResult::Interrupted);
  // Another computer's process cannot be looked for.
  index.process = CurrentProcess();
  index.computer = ComputerName() + "-other";
  EXPECT_EQ(resultRead(), DownloadResult::Interrupted);
  // A finished download is what its index says, whoever wrote it.
  index.result = DownloadResult::Stopped;
  EXPECT_EQ(resultRead(), DownloadResult::Stopped);
}

TEST(ArchiveReader, NewestFirstAndOnlyDownloads) {
  TempDir root;
  for (std::int64_t start : {kMorning + 3600, kMorning, kMorning + 7200}) {
    JournalRun(root.path(), start).Start().Count(1, 0).Monitoring(Id("A"), Minutes(0, 1)).Finish();
  }
  std::filesystem::create_directory(root / "notes");
  test::WriteBytes(root / "notes" / "todo.txt", {'x'});
  test::WriteBytes(root / "readme.txt", {'x'});
  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(root.path(), downloads));
  ASSERT_EQ(downloads.size(), 3u);
  EXPECT_EQ(downloads[0].index.startUtc, kMorning + 7200);
  EXPECT_EQ(downloads[1].index.startUtc, kMorning + 3600);
  EXPECT_EQ(downloads[2].index.startUtc, kMorning);
  EXPECT_EQ(ListArchive(root / "missing", downloads).error, FileError::NotFound);
}

TEST(ArchiveReader, DeletingADownloadRemovesOnlyWhatTheArchiveWrote) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start().Count(5, 1).Monitoring(Id("A"), Minutes(0, 5));
  run.WardRound({{Id("B"), Minutes(9, 1, RecordKind::WardRound)[0]}}).Finish();
  const std::string folder = run.journal().folder();

  EXPECT_EQ(DeleteDownload(root.path(), "..").problem, DeleteProblem::NotADownload);
  EXPECT_EQ(DeleteDownload(root.path(), "../" + folder).problem, DeleteProblem::NotADownload);
  EXPECT_EQ(DeleteDownload(root.path(), "missing").problem, DeleteProblem::NotADownload);
  // A file the archive did not write keeps the whole download.
  test::WriteBytes(root / folder / "notes.txt", {'x'});
  const DeleteOutcome refused = DeleteDownload(root.path(), folder);
  EXPECT_EQ(refused.problem, DeleteProblem::NotADownload);
  EXPECT_EQ(refused.path.filename(), "notes.txt");
  EXPECT_TRUE(std::filesystem::exists(root / folder / kIndexFileName));
  std::filesystem::remove(root / folder / "notes.txt");

  // One being written is left alone.
  DownloadIndex running = ReadDownloadSummary(root.path(), folder)->index;
  running.result = DownloadResult::Interrupted;
  running.computer = ComputerName();
  running.process = CurrentProcess();
  WriteIndex(root / folder, running);
  EXPECT_EQ(DeleteDownload(root.path(), folder).problem, DeleteProblem::StillWriting);

  running.process = {999999999, 0};
  WriteIndex(root / folder, running);
  EXPECT_EQ(DeleteDownload(root.path(), folder).problem, DeleteProblem::None);
  EXPECT_FALSE(std::filesystem::exists(root / folder));
}

TEST(ArchiveNames, IdFileNamesReadBackAndNoOtherSpellingDoes) {
  for (const PatientId& id : {Id("110105194912310021"), Id("11010519491231002x"), Id("CON"),
                              Id("ab"), PatientId{}, Id("../x y")}) {
    const std::optional<PatientId> back = IdFromFileName(FileNameForId(id));
    ASSERT_TRUE(back) << FileNameForId(id);
    EXPECT_EQ(*back, id) << FileNameForId(id);
  }
  // Spellings FileNameForId never makes stand for no id.
  for (const char* name : {"%41", "abc", "CON", "%4", "%zz1", "1234567890123456789", "", "%6g"}) {
    EXPECT_FALSE(IdFromFileName(name)) << name;
  }
  EXPECT_EQ(KindOfJournalFile("A.mDat"), JournalFileKind::Monitoring);
  EXPECT_EQ(KindOfJournalFile(".mDat"), JournalFileKind::Other);
  EXPECT_EQ(KindOfJournalFile(".download.ini.Ab12Cd"), JournalFileKind::Temporary);
  EXPECT_EQ(KindOfJournalFile("~download.ini.12.0.99.tmp"), JournalFileKind::Temporary);
}

TEST(DownloadIndex, ReadsBackWhatItWroteAndRefusesATornOne) {
  DownloadIndex index;
  index.result = DownloadResult::Complete;
  index.startUtc = kMorning;
  index.endUtc = kMorning + 95;
  index.computer = "WARD\nPC";
  index.port = "COM3";
  index.process = {4242, 987654321};
  index.wantMonitoring = true;
  index.totals = DeviceTotals{4000000000u, 7};
  index.monitoring = {700, 650};
  index.wardRound = {0, 0};
  index.persons = 3;
  index.message = "No data!";
  std::string text = IndexText(index);
  std::optional<DownloadIndex> back = ParseIndex(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->result, index.result);
  EXPECT_EQ(back->endUtc, index.endUtc);
  EXPECT_EQ(back->computer, "WARD PC");  // one line
  EXPECT_EQ(back->process, index.process);
  EXPECT_TRUE(back->wantMonitoring);
  EXPECT_FALSE(back->wantWardRound);
  EXPECT_EQ(back->totals, index.totals);
  EXPECT_EQ(back->monitoring.stored, 650u);
  EXPECT_EQ(back->persons, 3u);
  EXPECT_EQ(back->message, "No data!");
  // Line ends of another system read the same.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_TRUE(ParseIndex(crlf));
  EXPECT_FALSE(ParseIndex(text.substr(0, text.size() - 4)));
  std::string badNumber = text;
  badNumber.replace(badNumber.find("persons=3"), 9, "persons=x");
  EXPECT_FALSE(ParseIndex(badNumber));
  std::string badResult = text;
  badResult.replace(badResult.find("result=complete"), 15, "result=done");
  EXPECT_FALSE(ParseIndex(badResult));
}

}  // namespace
}  // namespace wd

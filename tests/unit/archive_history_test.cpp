// A person's records across the archive, and whether the monitor's records are archived
// before it is erased.

#include <gtest/gtest.h>

#include "archive/archive_reader.h"
#include "archive/erase_guard.h"
#include "archive/person_history.h"
#include "tests/unit/archive_test_support.h"

namespace wd {
namespace {

using test::Id;
using test::JournalRun;
using test::kMorning;
using test::Minutes;
using test::TempDir;

// Three downloads of one monitor that was never erased between them: the later ones repeat
// the earlier minutes, with other values, so it shows which copy won.
void ThreeDownloads(const std::filesystem::path& root) {
  JournalRun(root, kMorning)
      .Start()
      .Count(10, 0)
      .Monitoring(Id("A"), Minutes(0, 10, RecordKind::Monitoring, 90))
      .Finish();
  JournalRun second(root, kMorning + 3600);
  second.Start().Count(15, 2);
  second.Monitoring(Id("A"), Minutes(0, 15, RecordKind::Monitoring, 95));
  second.WardRound({{Id("A"), Minutes(12, 1, RecordKind::WardRound, 80)[0]},  // a monitored minute
                    {Id("A"), Minutes(20, 1, RecordKind::WardRound, 81)[0]}});
  second.Finish();
  JournalRun third(root, kMorning + 7200, "OTHER-PC");
  third.Start()
      .Count(3, 0)
      .Monitoring(Id("A"), Minutes(14, 3, RecordKind::Monitoring, 99))
      .Finish();
}

TEST(PersonHistory, MergesEveryDownloadByTimeEachMinuteOnce) {
  TempDir root;
  ThreeDownloads(root.path());
  std::vector<PersonHistory> history;
  ASSERT_TRUE(HistoryOf(root.path(), std::vector<PatientId>{Id("A")}, history));
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].downloads, 3u);
  // Minutes 0..9 from the first download, 10..14 from the second, 15 and 16 from the third,
  // the spot check at 20; the spot check at 12 repeats a minute and is left out.
  std::vector<VitalRecord> expected = Minutes(0, 10, RecordKind::Monitoring, 90);
  for (const VitalRecord& r : Minutes(10, 5, RecordKind::Monitoring, 95)) expected.push_back(r);
  for (const VitalRecord& r : Minutes(15, 2, RecordKind::Monitoring, 99)) expected.push_back(r);
  expected.push_back(Minutes(20, 1, RecordKind::WardRound, 81)[0]);
  test::ExpectSameRecords(expected, history[0].records);
}

TEST(PersonHistory, TheMergeKeepsTheFirstRecordOfAMinuteAndSortsByTime) {
  HistoryMerge merge;
  merge.Add(Minutes(5, 3, RecordKind::Monitoring, 90));
  merge.Add(Minutes(0, 7, RecordKind::WardRound, 70));
  std::vector<VitalRecord> expected = Minutes(0, 5, RecordKind::WardRound, 70);
  for (const VitalRecord& r : Minutes(5, 3, RecordKind::Monitoring, 90)) expected.push_back(r);
  test::ExpectSameRecords(expected, merge.Take());
  // Records of one minute in other days, months, years are different minutes.
  VitalRecord later = Minutes(5, 1)[0];
  later.year = static_cast<std::uint8_t>(later.year + 1);
  merge.Add(Minutes(5, 1));
  merge.Add(std::vector{later});
  EXPECT_EQ(merge.Take().size(), 2u);
}

TEST(PersonHistory, AnIdOrItsBeginningFindsEveryMatchingPerson) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start().Count(6, 1);
  run.Monitoring(Id("110105194912310021"), Minutes(0, 2));
  run.Monitoring(Id("110106195001010012"), Minutes(0, 3));
  run.Monitoring(Id("ab"), Minutes(0, 1));
  run.WardRound({{Id("220105194912310021"), Minutes(0, 1, RecordKind::WardRound)[0]}});
  run.Finish();
  auto found = [&](std::string_view prefix) {
    std::vector<PersonHistory> history;
    EXPECT_TRUE(HistoryByIdPrefix(root.path(), prefix, history));
    std::vector<std::string> ids;
    for (const PersonHistory& person : history) ids.push_back(person.id.DisplayText());
    return ids;
  };
  EXPECT_EQ(found("11010"), (std::vector<std::string>{"110105194912310021", "110106195001010012"}));
  EXPECT_EQ(found("110106195001010012"), std::vector<std::string>{"110106195001010012"});
  EXPECT_EQ(found("2"), std::vector<std::string>{"220105194912310021"});  // ward-round only
  EXPECT_EQ(found("a"), std::vector<std::string>{"ab"});                  // a name with escapes
  EXPECT_TRUE(found("1101061950010100123").empty());                      // longer than an id
  EXPECT_TRUE(found("3").empty());
  EXPECT_EQ(found("").size(), 4u);
  std::vector<PersonHistory> history;
  EXPECT_EQ(HistoryByIdPrefix(root / "missing", "1", history).error, FileError::NotFound);
}

DownloadSummary Complete(std::string folder, std::int64_t start, DeviceTotals totals,
                         bool monitoring = true, bool wardRound = true) {
  DownloadSummary download;
  download.folder = std::move(folder);
  download.result = DownloadResult::Complete;
  download.index.result = DownloadResult::Complete;
  download.index.startUtc = start;
  download.index.computer = "WARD-PC";
  download.index.port = "COM3";
  download.index.totals = totals;
  download.index.wantMonitoring = monitoring;
  download.index.wantWardRound = wardRound;
  return download;
}

TEST(EraseGuard, OnlyACompleteDownloadOfExactlyTheseTotalsVouches) {
  const DeviceTotals now{750, 40};
  const GuardScope scope{kMorning, "WARD-PC", ""};
  const ClearSelection both{true, true};
  auto check = [&](std::vector<DownloadSummary> downloads,
                   ClearSelection selection = {true, true}) {
    return CheckArchived(downloads, now, selection, scope);
  };
  ArchiveCoverage coverage =
      check({Complete("old", kMorning + 1, {700, 40}), Complete("new", kMorning + 2, now)});
  EXPECT_TRUE(coverage.archived);
  EXPECT_EQ(coverage.folders, std::vector<std::string>{"new"});

  EXPECT_FALSE(check({Complete("other totals", kMorning + 1, {750, 41})}).archived);
  for (DownloadResult result : {DownloadResult::Failed, DownloadResult::Stopped,
                                DownloadResult::Interrupted, DownloadResult::Running}) {
    DownloadSummary unfinished = Complete("x", kMorning + 1, now);
    unfinished.result = result;
    EXPECT_FALSE(check({unfinished}).archived) << ResultName(result);
  }
  EXPECT_FALSE(check({Complete("before the start", kMorning - 1, now)}).archived);
  DownloadSummary elsewhere = Complete("elsewhere", kMorning + 1, now);
  elsewhere.index.computer = "OTHER-PC";
  EXPECT_FALSE(check({elsewhere}).archived);
  DownloadSummary noTotals = Complete("no totals", kMorning + 1, now);
  noTotals.index.totals.reset();
  EXPECT_FALSE(check({noTotals}).archived);

  // A download of one store vouches for that store only; two downloads can cover both.
  const DownloadSummary monitoringOnly = Complete("m", kMorning + 1, now, true, false);
  EXPECT_FALSE(check({monitoringOnly}).archived);
  EXPECT_TRUE(check({monitoringOnly}, {true, false}).archived);
  coverage = check({monitoringOnly, Complete("w", kMorning + 2, now, false, true)}, both);
  EXPECT_TRUE(coverage.archived);
  EXPECT_EQ(coverage.folders, (std::vector<std::string>{"m", "w"}));

  // An empty store has nothing to lose.
  EXPECT_TRUE(CheckArchived({}, DeviceTotals{0, 0}, both, scope).archived);
  // The download saw 750 and 40, not 750 and 0.
  EXPECT_FALSE(
      CheckArchived(std::vector{monitoringOnly}, DeviceTotals{750, 0}, both, scope).archived);
  const DownloadSummary emptyWardRound = Complete("e", kMorning + 1, {750, 0}, true, false);
  EXPECT_TRUE(
      CheckArchived(std::vector{emptyWardRound}, DeviceTotals{750, 0}, both, scope).archived);
  // The port, when the caller names one.
  EXPECT_FALSE(CheckArchived(std::vector{Complete("p", kMorning + 1, now)}, now, both,
                             {kMorning, "WARD-PC", "COM4"})
                   .archived);
}

TEST(EraseGuard, ReadsTheArchiveAsListed) {
  TempDir root;
  ThreeDownloads(root.path());
  std::vector<DownloadSummary> downloads;
  ASSERT_TRUE(ListArchive(root.path(), downloads));
  // The second download saw 15 monitoring and 2 ward-round records and fetched both.
  const ArchiveCoverage coverage =
      CheckArchived(downloads, DeviceTotals{15, 2}, {true, true}, {0, "WARD-PC", "COM3"});
  EXPECT_TRUE(coverage.archived);
  ASSERT_EQ(coverage.folders.size(), 1u);
  EXPECT_EQ(coverage.folders[0], downloads[1].folder);
  EXPECT_FALSE(
      CheckArchived(downloads, DeviceTotals{3, 0}, {true, true}, {0, "WARD-PC", ""}).archived);
}

}  // namespace
}  // namespace wd

// The archive view's cells: downloads and persons as the lists show them.

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"
#include "views/logic/archive_cells.h"

namespace wd {
namespace {

using test::Id;
using test::Record;

const ResultTexts kResults = {u"running", u"complete", u"stopped", u"failed", u"interrupted"};

TEST(ArchiveCells, ADownloadShowsItsStartComputerResultAndCountsPerKind) {
  DownloadSummary download;
  download.folder = "20240305-070809 WARD-PC";
  download.index.startUtc = 1709622489;
  download.index.computer = "\xE7\x97\x85\xE6\x88\xBF-PC";  // "病房-PC"
  download.result = DownloadResult::Interrupted;
  download.persons = 3;
  download.monitoringRecords = 65536;
  download.wardRoundRecords = 40;
  const std::string start = LocalTimeText(download.index.startUtc);
  EXPECT_EQ(DownloadCell(download, 0, kResults), std::u16string(start.begin(), start.end()));
  EXPECT_EQ(DownloadCell(download, 1, kResults), u"病房-PC");
  EXPECT_EQ(DownloadCell(download, 2, kResults), u"interrupted");
  EXPECT_EQ(DownloadCell(download, 3, kResults), u"3");
  EXPECT_EQ(DownloadCell(download, 4, kResults), u"65536");
  EXPECT_EQ(DownloadCell(download, 5, kResults), u"40");
  EXPECT_EQ(DownloadCell(download, kDownloadColumnCount, kResults), u"");

  // A folder whose index is gone is still listed, by its name.
  download.index.startUtc = 0;
  EXPECT_EQ(DownloadCell(download, 0, kResults), u"20240305-070809 WARD-PC");
  download.result = DownloadResult::Complete;
  EXPECT_EQ(DownloadCell(download, 2, kResults), u"complete");
}

TEST(ArchiveCells, AHistoryRowCountsEachKindAndSpansItsFirstToItsLastRecord) {
  const std::vector<PersonHistory> histories = {
      {Id("110101199001011234"),
       {Record(RecordKind::Monitoring, 9, 23, 58), Record(RecordKind::WardRound, 9, 23, 59),
        Record(RecordKind::Monitoring, 10, 0, 5)},
       2},
      {Id("440103196504045678"), {}, 0},
  };
  const std::vector<ArchivePersonRow> rows = PersonRowsOf(histories);
  ASSERT_EQ(rows.size(), 2u);
  RegisterSnapshot people;
  PatientInfo info = PatientInfo::Blank(Id("110101199001011234"));
  info.SetName(u"张伟");
  people.emplace(info.id, info);

  EXPECT_EQ(ArchivePersonCell(rows[0], 0, people), u"110101199001011234");
  EXPECT_EQ(ArchivePersonCell(rows[0], 1, people), u"张伟");
  EXPECT_EQ(ArchivePersonCell(rows[0], 2, people), u"2");
  EXPECT_EQ(ArchivePersonCell(rows[0], 3, people), u"1");
  EXPECT_EQ(ArchivePersonCell(rows[0], 4, people), u"2023-6-9 23:58");
  EXPECT_EQ(ArchivePersonCell(rows[0], 5, people), u"2023-6-10 00:05");
  EXPECT_EQ(ArchivePersonCell(rows[0], 6, people), u"2");
  // Unregistered and without records: no name and no times rather than a made-up date.
  EXPECT_EQ(ArchivePersonCell(rows[1], 1, people), u"");
  EXPECT_EQ(ArchivePersonCell(rows[1], 4, people), u"");
  EXPECT_EQ(ArchivePersonCell(rows[1], 5, people), u"");
}

TEST(ArchiveCells, APersonOfOneDownloadHasNoDownloadCount) {
  ArchivedPerson person;
  person.id = Id("A");
  person.monitoring = 120;
  person.wardRound = 0;
  person.first = Record(RecordKind::Monitoring, 1, 8, 0);
  person.last = Record(RecordKind::Monitoring, 1, 9, 59);
  const std::vector<ArchivePersonRow> rows = PersonRowsOf(std::vector<ArchivedPerson>{person});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(ArchivePersonCell(rows[0], 2, {}), u"120");
  EXPECT_EQ(ArchivePersonCell(rows[0], 4, {}), u"2023-6-1 08:00");
  EXPECT_EQ(ArchivePersonCell(rows[0], 5, {}), u"2023-6-1 09:59");
  EXPECT_EQ(ArchivePersonCell(rows[0], 6, {}), u"");
}

}  // namespace
}  // namespace wd

// wardcli archive list|history|delete and download's --out/--archive rule, without a device.

#include <gtest/gtest.h>

#include "archive/archive_folder.h"
#include "tests/unit/archive_test_support.h"
#include "tests/unit/wardcli_test_support.h"
#include "tools/wardcli/commands.h"
#include "tools/wardcli/record_csv.h"

namespace wd::cli {
namespace {

using test::Captured;
using test::Cli;
using wd::test::Id;
using wd::test::JournalRun;
using wd::test::kMorning;
using wd::test::Minutes;
using wd::test::TempDir;

// Two finished downloads and one killed in the middle (never told its end).
void ThreeDownloads(const std::filesystem::path& root) {
  JournalRun first(root, kMorning);
  first.Start().Count(3, 1).Monitoring(Id("110105194912310021"), Minutes(0, 3));
  first.WardRound({{Id("220105194912310021"), Minutes(600, 1, RecordKind::WardRound)[0]}}).Finish();
  JournalRun second(root, kMorning + 60);
  second.Start().Count(5, 0).Monitoring(Id("110105194912310021"),
                                        Minutes(0, 5, RecordKind::Monitoring, 91));
  second.Finish();
  JournalRun killed(root, kMorning + 120, "a,b");
  killed.Start().Count(9, 0).Monitoring(Id("110105194912310021"),
                                        Minutes(5, 2, RecordKind::Monitoring, 92));
}

TEST(WardcliArchive, ListIsCsvNewestFirst) {
  TempDir root;
  ThreeDownloads(root.path());
  const Captured list = Cli({"archive", "list", root.path().string()});
  ASSERT_EQ(list.status, kExitOk) << list.err;
  const std::string stamp = FolderStamp(kMorning);
  EXPECT_EQ(list.out,
            "folder,start,computer,result,persons,monitoring_records,ward_round_records\n"
            "\"" +
                FolderStamp(kMorning + 120) + " a,b\"," + LocalTimeText(kMorning + 120) +
                ",\"a,b\",interrupted,1,2,0\n" + FolderStamp(kMorning + 60) + " WARD-PC," +
                LocalTimeText(kMorning + 60) + ",WARD-PC,complete,1,5,0\n" + stamp + " WARD-PC," +
                LocalTimeText(kMorning) + ",WARD-PC,complete,2,3,1\n");
  EXPECT_TRUE(Cli({"archive", "list", "--bom", root.path().string()})
                  .out.starts_with("\xEF\xBB\xBF"
                                   "folder,"));

  const Captured missing = Cli({"archive", "list", (root / "none").string()});
  EXPECT_EQ(missing.status, kExitUnreadable);
  EXPECT_NE(missing.err.find("cannot read the archive"), std::string::npos);
  EXPECT_EQ(Cli({"archive", "list"}).status, kExitUsage);
}

TEST(WardcliArchive, HistoryPrintsDumpsRowsOfTheMergedRecords) {
  TempDir root;
  ThreeDownloads(root.path());
  const Captured history = Cli({"archive", "history", root.path().string(), "1101"});
  ASSERT_EQ(history.status, kExitOk) << history.err;
  // Minutes 0..2 of the first download, 3 and 4 of the second, 5 and 6 of the killed one.
  std::string expected = kRecordCsvHeader;
  for (const auto& r : Minutes(0, 3)) expected += RecordCsvLine(Id("110105194912310021"), r);
  for (const auto& r : Minutes(3, 2, RecordKind::Monitoring, 91))
    expected += RecordCsvLine(Id("110105194912310021"), r);
  for (const auto& r : Minutes(5, 2, RecordKind::Monitoring, 92))
    expected += RecordCsvLine(Id("110105194912310021"), r);
  EXPECT_EQ(history.out, expected);
  EXPECT_NE(history.err.find("1 person(s), 7 record(s)"), std::string::npos) << history.err;

  const Captured none = Cli({"archive", "history", root.path().string(), "9"});
  EXPECT_EQ(none.status, kExitOk);
  EXPECT_EQ(none.out, kRecordCsvHeader);
  EXPECT_NE(none.err.find("no archived records"), std::string::npos);
  // A byte typed as dump prints it.
  EXPECT_EQ(Cli({"archive", "history", root.path().string(), "\\x32"}).out.size(),
            std::string(kRecordCsvHeader).size() +
                RecordCsvLine(Id("220105194912310021"), Minutes(600, 1, RecordKind::WardRound)[0])
                    .size());
  for (const char* bad : {"", "\\x3", "\\q12", "1234567890123456789"}) {
    EXPECT_EQ(Cli({"archive", "history", root.path().string(), bad}).status, kExitUsage) << bad;
  }
  EXPECT_EQ(Cli({"archive", "history", root.path().string()}).err.find("ID is missing"),
            std::string("wardcli: ").size());
}

TEST(WardcliArchive, DeleteWantsAConfirmation) {
  TempDir root;
  ThreeDownloads(root.path());
  const std::string folder = FolderStamp(kMorning + 60) + " WARD-PC";
  // Standard input here is a file, no terminal to ask on.
  EXPECT_EQ(Cli({"archive", "delete", root.path().string(), folder}, "y\n").status, kExitUsage);
  EXPECT_TRUE(std::filesystem::exists(root / folder));
  const Captured missing = Cli({"archive", "delete", root.path().string(), "nothing", "--yes"});
  EXPECT_EQ(missing.status, kExitFailed);
  EXPECT_NE(missing.err.find("no download nothing"), std::string::npos);
  const Captured deleted = Cli({"archive", "delete", root.path().string(), folder, "--yes"});
  EXPECT_EQ(deleted.status, kExitOk) << deleted.err;
  EXPECT_FALSE(std::filesystem::exists(root / folder));
  EXPECT_EQ(Cli({"archive", "list", root.path().string()}).out.find(folder), std::string::npos);
}

TEST(WardcliArchive, DownloadWantsOutOrArchive) {
  const Captured neither = Cli({"download", "--port", "/dev/null"});
  EXPECT_EQ(neither.status, kExitUsage);
  EXPECT_NE(neither.err.find("give --out DIR, --archive DIR or both"), std::string::npos);
}

}  // namespace
}  // namespace wd::cli

// The archive view's list kept between openings: finished downloads read once, the rest again.

#include <gtest/gtest.h>

#include <fstream>

#include "archive/download_index.h"
#include "archive/this_process.h"
#include "tests/unit/archive_test_support.h"
#include "views/logic/archive_catalog.h"

namespace wd {
namespace {

using test::Id;
using test::JournalRun;
using test::kMorning;
using test::Minutes;
using test::TempDir;

std::vector<std::string> Folders(const std::vector<DownloadSummary>& downloads) {
  std::vector<std::string> folders;
  for (const DownloadSummary& download : downloads) folders.push_back(download.folder);
  return folders;
}

TEST(ArchiveCatalog, ListsAsTheArchiveDoesAndReadsOnlyWhatMayHaveChanged) {
  TempDir root;
  JournalRun(root.path(), kMorning).Start().Count(3, 0).Monitoring(Id("A"), Minutes(0, 3)).Finish();
  JournalRun running(root.path(), kMorning + 60, ComputerName());
  running.Start().Count(5, 0).Monitoring(Id("B"), Minutes(0, 2));
  ASSERT_TRUE(running.journal().WaitUntilOnDisk(std::chrono::seconds(5)));

  ArchiveCatalog catalog;
  std::vector<DownloadSummary> cached, listed;
  ASSERT_TRUE(catalog.Refresh(root.path(), cached));
  ASSERT_TRUE(ListArchive(root.path(), listed));
  ASSERT_EQ(Folders(cached), Folders(listed));
  ASSERT_EQ(cached.size(), 2u);
  EXPECT_EQ(cached[0].result, DownloadResult::Running);
  EXPECT_EQ(cached[1].result, DownloadResult::Complete);
  EXPECT_EQ(cached[1].monitoringRecords, 3u);

  // A finished download's index is not read again (were it changed behind the archive's back,
  // the catalog would not see it); the running one is, and shows its end.
  const std::filesystem::path finishedIndex = root.path() / cached[1].folder / kIndexFileName;
  DownloadIndex changed = cached[1].index;
  changed.monitoring.received = 999;
  std::ofstream(finishedIndex, std::ios::trunc) << IndexText(changed);
  running.Monitoring(Id("B"), Minutes(2, 3)).Finish();
  ASSERT_TRUE(catalog.Refresh(root.path(), cached));
  EXPECT_EQ(cached[1].monitoringRecords, 3u);
  EXPECT_EQ(cached[0].result, DownloadResult::Complete);
  EXPECT_EQ(cached[0].monitoringRecords, 5u);

  // New downloads appear, removed ones go.
  std::filesystem::remove_all(root.path() / cached[1].folder);
  JournalRun(root.path(), kMorning + 120)
      .Start()
      .Count(1, 0)
      .Monitoring(Id("C"), Minutes(0, 1))
      .Finish();
  ASSERT_TRUE(catalog.Refresh(root.path(), cached));
  ASSERT_TRUE(ListArchive(root.path(), listed));
  EXPECT_EQ(Folders(cached), Folders(listed));
  EXPECT_EQ(cached.size(), 2u);

  // Another archive starts afresh; a missing one is an error and an empty list.
  TempDir other;
  ASSERT_TRUE(catalog.Refresh(other.path(), cached));
  EXPECT_TRUE(cached.empty());
  EXPECT_FALSE(catalog.Refresh(other.path() / "missing", cached));
  EXPECT_TRUE(cached.empty());
}

}  // namespace
}  // namespace wd

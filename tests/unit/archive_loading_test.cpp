// Archived records brought back into memory, and the archive view's search.

#include <gtest/gtest.h>

#include "views/logic/archive_loading.h"
#include "archive/archive_reader.h"
#include "tests/unit/archive_test_support.h"

namespace wd {
namespace {

using test::Id;
using test::JournalRun;
using test::kMorning;
using test::Minutes;
using test::TempDir;

std::filesystem::path OnlyDownload(const std::filesystem::path& root) {
  std::vector<DownloadSummary> downloads;
  EXPECT_TRUE(ListArchive(root, downloads));
  EXPECT_EQ(downloads.size(), 1u);
  return downloads.empty() ? root : root / downloads[0].folder;
}

std::vector<VitalRecord> StoredRecords(const PatientStore& store, const PatientId& id) {
  const auto reader = store.Read();
  const RecordList* list = reader.FindRecordList(id);
  return list == nullptr ? std::vector<VitalRecord>{}
                         : std::vector<VitalRecord>(list->begin(), list->end());
}

TEST(ArchiveLoading, ADownloadOpensAsItsFilesImportAndASecondOpeningAddsNothing) {
  TempDir root;
  JournalRun run(root.path(), kMorning);
  run.Start().Count(7, 3);
  run.Monitoring(Id("A"), Minutes(0, 4));
  run.Monitoring(Id("B"), Minutes(100, 3));
  // A spot check of A in a monitored minute: memory never had it, and opening must not add it.
  run.WardRound({{Id("A"), Minutes(2, 1, RecordKind::WardRound)[0]},
                 {Id("A"), Minutes(50, 1, RecordKind::WardRound)[0]},
                 {Id("C"), Minutes(60, 1, RecordKind::WardRound)[0]}});
  run.Finish();
  const std::filesystem::path download = OnlyDownload(root.path());

  PatientStore store;
  LoadedRecords loaded;
  ASSERT_TRUE(LoadArchivedDownload(store, download, loaded));
  EXPECT_EQ(loaded.added, 9u);
  EXPECT_EQ(loaded.skipped, 1u);
  EXPECT_EQ(loaded.persons, 3u);
  std::vector<VitalRecord> expectedA = Minutes(0, 4);
  expectedA.push_back(Minutes(50, 1, RecordKind::WardRound)[0]);
  test::ExpectSameRecords(expectedA, StoredRecords(store, Id("A")));
  test::ExpectSameRecords(Minutes(100, 3), StoredRecords(store, Id("B")));
  test::ExpectSameRecords(Minutes(60, 1, RecordKind::WardRound), StoredRecords(store, Id("C")));

  ASSERT_TRUE(LoadArchivedDownload(store, download, loaded));
  EXPECT_EQ(loaded.added, 0u);
  EXPECT_EQ(loaded.skipped, 10u);
  EXPECT_EQ(StoredRecords(store, Id("A")).size(), 5u);
  EXPECT_EQ(store.Read().PatientCount(), 3u);

  // A download whose folder went away is an error, and the store keeps what it had.
  std::filesystem::remove_all(download);
  EXPECT_FALSE(LoadArchivedDownload(store, download, loaded));
  EXPECT_EQ(StoredRecords(store, Id("B")).size(), 3u);
}

TEST(ArchiveLoading, AHistoryJoinsWhatMemoryHoldsWithoutRepeatingAMinute) {
  PatientStore store;
  {
    auto writer = store.Write();
    RecordList& list = writer.FindOrCreateRecordList(Id("A"));
    for (const VitalRecord& record : Minutes(0, 5, RecordKind::Monitoring, 80))
      writer.AppendRecord(list, record);
  }
  PersonHistory history{Id("A"), Minutes(3, 6, RecordKind::Monitoring, 99), 2};
  LoadedRecords loaded = LoadHistory(store, history);
  EXPECT_EQ(loaded.added, 4u);
  EXPECT_EQ(loaded.skipped, 2u);
  const std::vector<VitalRecord> records = StoredRecords(store, Id("A"));
  ASSERT_EQ(records.size(), 9u);
  EXPECT_EQ(records[3].spo2, 80);  // memory's copy of minute 3 stays
  EXPECT_EQ(records[8].spo2, 99);
  EXPECT_EQ(LoadHistory(store, history).added, 0u);

  // A person with no records yet is filed all the same, so the lists can show it.
  LoadHistory(store, PersonHistory{Id("Z"), {}, 0});
  EXPECT_NE(store.Read().FindStoreKey(Id("Z")), nullptr);
}

RegisterSnapshot People() {
  RegisterSnapshot people;
  const auto add = [&](const char* id, std::u16string_view name) {
    PatientInfo info = PatientInfo::Blank(Id(id));
    info.SetName(name);
    people.emplace(Id(id), info);
  };
  add("110101199001011234", u"张伟");
  add("110101198502023456", u"Li Lei");
  add("320102197003034567", u"张小红");
  add("440103196504045678", u"王芳");  // never archived
  return people;
}

TEST(ArchiveLoading, TheSearchFindsByTheStartOfAnIdOrByAPartOfAName) {
  TempDir root;
  JournalRun(root.path(), kMorning)
      .Start()
      .Count(6, 0)
      .Monitoring(Id("110101199001011234"), Minutes(0, 3))
      .Monitoring(Id("320102197003034567"), Minutes(0, 3))
      .Finish();
  JournalRun(root.path(), kMorning + 3600)
      .Start()
      .Count(4, 0)
      .Monitoring(Id("110101199001011234"), Minutes(2, 2))  // minute 2 again
      .Monitoring(Id("110101198502023456"), Minutes(10, 2))
      .Finish();
  const RegisterSnapshot people = People();
  std::vector<PersonHistory> found;

  ASSERT_TRUE(SearchHistory(root.path(), u"110101", people, found));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].id, Id("110101198502023456"));
  EXPECT_EQ(found[1].id, Id("110101199001011234"));
  EXPECT_EQ(found[1].records.size(), 4u);
  EXPECT_EQ(found[1].downloads, 2u);

  // "张" names two persons; the one never archived by name ("王") is not listed.
  ASSERT_TRUE(SearchHistory(root.path(), u"张", people, found));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].id, Id("110101199001011234"));
  EXPECT_EQ(found[1].id, Id("320102197003034567"));
  ASSERT_TRUE(SearchHistory(root.path(), u"王芳", people, found));
  EXPECT_TRUE(found.empty());
  ASSERT_TRUE(SearchHistory(root.path(), u"lEi", people, found));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].id, Id("110101198502023456"));

  // An id and a name that find the same person list it once.
  PatientInfo odd = PatientInfo::Blank(Id("320102197003034567"));
  odd.SetName(u"3201");
  RegisterSnapshot both = people;
  both[Id("320102197003034567")] = odd;
  ASSERT_TRUE(SearchHistory(root.path(), u"3201", both, found));
  EXPECT_EQ(found.size(), 1u);

  EXPECT_TRUE(SearchHistory(root.path(), u"", people, found));
  EXPECT_TRUE(found.empty());
  EXPECT_FALSE(SearchHistory(root.path() / "missing", u"110", people, found));
}

}  // namespace
}  // namespace wd

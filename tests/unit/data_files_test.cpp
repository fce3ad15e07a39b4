#include <gtest/gtest.h>

#include "data/data_files.h"
#include "data/file_io.h"
#include "tests/unit/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace wd {
namespace {

using test::Id;
using test::Record;
using test::TempDir;

std::vector<VitalRecord> RecordsOf(const PatientStore& store, const PatientId& id) {
  auto reader = store.Read();
  const RecordList* list = reader.FindRecordList(id);
  return list ? std::vector<VitalRecord>(list->begin(), list->end()) : std::vector<VitalRecord>{};
}

void Put(PatientStore& store, const PatientId& id, const VitalRecord& record) {
  auto writer = store.Write();
  writer.AppendRecord(writer.FindOrCreateRecordList(id), record);
}

// A store with A (monitoring and ward-round mixed) and B (ward-round only).
PatientStore& MixedStore(PatientStore& store) {
  Put(store, Id("A"), Record(RecordKind::Monitoring, 1, 9, 0, 95));
  Put(store, Id("A"), Record(RecordKind::WardRound, 1, 9, 1, 96));
  Put(store, Id("A"), Record(RecordKind::Monitoring, 1, 9, 2, 97));
  Put(store, Id("B"), Record(RecordKind::WardRound, 2, 10, 0, 91));
  Put(store, Id("B"), Record(RecordKind::WardRound, 2, 11, 0, 92));
  return store;
}

TEST(MonitorFile, WritesOnlyMonitoringRecordsAndReadsBackTheSame) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  ASSERT_TRUE(WriteMonitorFile(store, dir / "a.mDat", Id("A")));
  const auto bytes = test::ReadBytes(dir / "a.mDat");
  ASSERT_EQ(bytes.size(), 18u + 2 * 20u);
  EXPECT_EQ(bytes[0], 'A');
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[18], 0);        // kind of record 0
  EXPECT_EQ(bytes[18 + 16], 95);  // its SpO2
  EXPECT_EQ(bytes[38 + 16], 97);

  PatientStore other;
  ASSERT_TRUE(ReadMonitorFile(other, dir / "a.mDat"));
  const auto records = RecordsOf(other, Id("A"));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(test::SameBytes(records[0], Record(RecordKind::Monitoring, 1, 9, 0, 95)));
  EXPECT_TRUE(test::SameBytes(records[1], Record(RecordKind::Monitoring, 1, 9, 2, 97)));
}

TEST(MonitorFile, ImportingTwiceDoublesTheRecords) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  ASSERT_TRUE(WriteMonitorFile(store, dir / "a.mDat", Id("A")));
  PatientStore other;
  ASSERT_TRUE(ReadMonitorFile(other, dir / "a.mDat"));
  ASSERT_TRUE(ReadMonitorFile(other, dir / "a.mDat"));
  EXPECT_EQ(RecordsOf(other, Id("A")).size(), 4u);
}

TEST(MonitorFile, ShortFilesAndTrailingFragments) {
  TempDir dir;
  PatientStore store;
  test::WriteBytes(dir / "short.mDat", std::vector<std::uint8_t>(17, '1'));
  EXPECT_EQ(ReadMonitorFile(store, dir / "short.mDat").error, FileError::TooShort);
  EXPECT_EQ(store.Read().PatientCount(), 0u);

  // Exactly an id: the person is filed with no records.
  test::WriteBytes(dir / "id.mDat", std::vector<std::uint8_t>(18, '2'));
  EXPECT_TRUE(ReadMonitorFile(store, dir / "id.mDat"));
  ASSERT_NE(store.Read().FindRecordList(PatientId::FromText(std::string(18, '2'))), nullptr);

  // An id, one record and 19 bytes of a second: the fragment is ignored.
  std::vector<std::uint8_t> bytes(18, '3');
  const auto record = Record(RecordKind::Monitoring, 3, 3, 3).ToBytes();
  bytes.insert(bytes.end(), record.begin(), record.end());
  bytes.insert(bytes.end(), 19, 0xAB);
  test::WriteBytes(dir / "frag.mDat", bytes);
  EXPECT_TRUE(ReadMonitorFile(store, dir / "frag.mDat"));
  EXPECT_EQ(RecordsOf(store, PatientId::FromText(std::string(18, '3'))).size(), 1u);

  EXPECT_EQ(ReadMonitorFile(store, dir / "missing.mDat").error, FileError::NotFound);
}

TEST(CheckFile, WritesEveryWardRoundRecordOfEveryPatient) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  ASSERT_TRUE(WriteCheckFile(store, dir / "w.cDat"));
  const auto bytes = test::ReadBytes(dir / "w.cDat");
  ASSERT_EQ(bytes.size(), 3 * 38u);
  EXPECT_EQ(bytes[0], 'A');
  EXPECT_EQ(bytes[18], 1);  // kind
  EXPECT_EQ(bytes[38], 'B');
  EXPECT_EQ(bytes[76], 'B');

  PatientStore other;
  ASSERT_TRUE(ReadCheckFile(other, dir / "w.cDat"));
  EXPECT_EQ(RecordsOf(other, Id("A")).size(), 1u);
  const auto b = RecordsOf(other, Id("B"));
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].spo2, 91);
  EXPECT_EQ(b[1].spo2, 92);
}

TEST(CheckFile, EmptyIdOnlyAndFragmentFiles) {
  TempDir dir;
  PatientStore store;
  test::WriteBytes(dir / "empty.cDat", {});
  EXPECT_TRUE(ReadCheckFile(store, dir / "empty.cDat"));
  EXPECT_EQ(store.Read().PatientCount(), 0u);

  test::WriteBytes(dir / "id.cDat", std::vector<std::uint8_t>(18, '7'));
  EXPECT_TRUE(ReadCheckFile(store, dir / "id.cDat"));
  const PatientId seven = PatientId::FromText(std::string(18, '7'));
  ASSERT_NE(store.Read().FindRecordList(seven), nullptr);
  EXPECT_TRUE(RecordsOf(store, seven).empty());

  std::vector<std::uint8_t> bytes(18, '8');
  const auto record = Record(RecordKind::WardRound, 1, 1, 1).ToBytes();
  bytes.insert(bytes.end(), record.begin(), record.end());
  bytes.insert(bytes.end(), 10, '9');  // part of a second id
  test::WriteBytes(dir / "frag.cDat", bytes);
  EXPECT_TRUE(ReadCheckFile(store, dir / "frag.cDat"));
  EXPECT_EQ(RecordsOf(store, PatientId::FromText(std::string(18, '8'))).size(), 1u);
  EXPECT_EQ(store.Read().PatientCount(), 2u);
}

TEST(Export, EmptyStoreOrUnknownPatientTouchesNoFile) {
  TempDir dir;
  PatientStore empty;
  test::WriteBytes(dir / "keep.cDat", {1, 2, 3});
  EXPECT_EQ(WriteCheckFile(empty, dir / "keep.cDat").error, FileError::EmptyStore);
  EXPECT_EQ(WriteMonitorFile(empty, dir / "keep.cDat", Id("A")).error, FileError::EmptyStore);
  EXPECT_EQ(test::ReadBytes(dir / "keep.cDat"), (std::vector<std::uint8_t>{1, 2, 3}));

  PatientStore store;
  MixedStore(store);
  EXPECT_EQ(WriteMonitorFile(store, dir / "keep.cDat", Id("nobody")).error,
            FileError::PatientNotInStore);
  EXPECT_EQ(test::ReadBytes(dir / "keep.cDat"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(WriteMonitorFile(store, dir / "new.mDat", Id("nobody")).error,
            FileError::PatientNotInStore);
  EXPECT_FALSE(std::filesystem::exists(dir / "new.mDat"));
}

TEST(Export, ReplacesAnExistingFileAndLeavesNoTemporary) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  test::WriteBytes(dir / "x.mDat", std::vector<std::uint8_t>(1000, 0xEE));
  ASSERT_TRUE(WriteMonitorFile(store, dir / "x.mDat", Id("A")));
  EXPECT_EQ(test::ReadBytes(dir / "x.mDat").size(), 58u);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"x.mDat"});
}

TEST(Export, TargetThatIsAFolderFailsAndStaysAFolder) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  std::filesystem::create_directory(dir / "busy.cDat");
  const FileResult result = WriteCheckFile(store, dir / "busy.cDat");
  EXPECT_EQ(result.error, FileError::ReplaceFailed);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "busy.cDat"));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"busy.cDat"});
  EXPECT_EQ(WriteCheckFile(store, dir / "no-such-folder" / "w.cDat").error, FileError::OpenFailed);
}

TEST(Import, ReadOnlyFileImports) {
  TempDir dir;
  PatientStore store;
  MixedStore(store);
  ASSERT_TRUE(WriteCheckFile(store, dir / "ro.cDat"));
  ASSERT_TRUE(WriteMonitorFile(store, dir / "ro.mDat", Id("A")));
  for (const char* name : {"ro.cDat", "ro.mDat"}) {
    std::filesystem::permissions(dir / name, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
  }
  PatientStore other;
  EXPECT_TRUE(ReadCheckFile(other, dir / "ro.cDat"));
  EXPECT_TRUE(ReadMonitorFile(other, dir / "ro.mDat"));
  EXPECT_EQ(RecordsOf(other, Id("A")).size(), 3u);
}

TEST(DefaultExportName, IsUnpaddedLocalTime) {
  std::tm t{};
  t.tm_year = 2019 - 1900;
  t.tm_mon = 5;
  t.tm_mday = 24;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(DefaultExportName(t, ".cDat"), "2019624953.cDat");
  // Not unique: 11 January and 1 November at 01:01:01 give the same name.
  std::tm jan{};
  jan.tm_year = 119, jan.tm_mon = 0, jan.tm_mday = 11, jan.tm_hour = 1, jan.tm_min = 1,
  jan.tm_sec = 1;
  std::tm nov = jan;
  nov.tm_mon = 10, nov.tm_mday = 1;
  EXPECT_EQ(DefaultExportName(jan, ".cDat"), "2019111111.cDat");
  EXPECT_EQ(DefaultExportName(nov, ".cDat"), "2019111111.cDat");
  EXPECT_EQ(DefaultExportNameNow(".mDat").substr(DefaultExportNameNow(".mDat").size() - 5),
            ".mDat");
}

#ifndef _WIN32
// Runs `body` in a child process whose writes fail past `fileLimit` bytes, or that has lost
// write access to `readOnlyFolder`; returns the child's exit code.
template <typename Body>
int RunConstrained(Body body, rlim_t fileLimit, const std::filesystem::path& readOnlyFolder) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (fileLimit != RLIM_INFINITY) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{fileLimit, fileLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (!readOnlyFolder.empty()) {
      std::filesystem::permissions(readOnlyFolder,
                                   std::filesystem::perms::owner_write |
                                       std::filesystem::perms::group_write |
                                       std::filesystem::perms::others_write,
                                   std::filesystem::perm_options::remove);
      // Root ignores permissions: drop to nobody for the write.
      if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    }
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST(Export, WriteFailingMidwayKeepsTheOldFile) {
  TempDir dir;
  PatientStore store;
  for (int i = 0; i < 500; ++i)
    Put(store, Id("A"), Record(RecordKind::Monitoring, 1, i / 60, i % 60));
  const std::vector<std::uint8_t> old(100, 0x5A);
  test::WriteBytes(dir / "a.mDat", old);
  const int code = RunConstrained(
      [&] {
        return WriteMonitorFile(store, dir / "a.mDat", Id("A")).error == FileError::WriteFailed ? 0
                                                                                                : 1;
      },
      4096, {});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(test::ReadBytes(dir / "a.mDat"), old);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.mDat"});
}

TEST(Export, ReadOnlyFolderFailsAndKeepsTheOldFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "ro");
  PatientStore store;
  MixedStore(store);
  const std::vector<std::uint8_t> old(38, 0x11);
  test::WriteBytes(dir / "ro" / "w.cDat", old);
  const int code = RunConstrained(
      [&] {
        return WriteCheckFile(store, dir / "ro" / "w.cDat").error == FileError::OpenFailed ? 0 : 1;
      },
      RLIM_INFINITY, dir / "ro");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(test::ReadBytes(dir / "ro" / "w.cDat"), old);
}
#endif

}  // namespace
}  // namespace wd

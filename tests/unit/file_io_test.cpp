// The file layer's folders and appending, as the archive uses them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "data/file_io.h"
#include "tests/unit/test_support.h"

namespace wd {
namespace {

using test::TempDir;

TEST(FileIo, AppendedBytesArriveInOrderWhileAnotherThreadFlushes) {
  TempDir dir;
  fileio::AppendFile file;
  ASSERT_TRUE(file.Open(dir / "journal"));
  std::vector<std::uint8_t> expected;
  std::thread flusher([&file] {
    for (int i = 0; i < 50; ++i) EXPECT_TRUE(file.Flush());
  });
  for (int i = 0; i < 200; ++i) {
    const std::vector<std::uint8_t> chunk(static_cast<std::size_t>(1 + i % 7),
                                          static_cast<std::uint8_t>(i));
    ASSERT_TRUE(file.Append(chunk));
    expected.insert(expected.end(), chunk.begin(), chunk.end());
    // A reader sees every byte handed over so far, before any close.
    if (i % 50 == 0) {
      EXPECT_EQ(test::ReadBytes(dir / "journal"), expected);
    }
  }
  flusher.join();
  // Opened again while the first is still open (a journal's thread may still be flushing it),
  // it goes on at the end.
  fileio::AppendFile again;
  ASSERT_TRUE(again.Open(dir / "journal"));
  ASSERT_TRUE(again.Append(std::vector<std::uint8_t>{0xEE}));
  expected.push_back(0xEE);
  again.Close();
  file.Close();
  EXPECT_EQ(test::ReadBytes(dir / "journal"), expected);
  EXPECT_EQ(file.Append(expected).error, FileError::AppendFailed);
  EXPECT_FALSE(fileio::AppendFile().Open(dir / "no" / "such" / "folder"));
}

TEST(FileIo, FoldersAreMadeListedAndRemoved) {
  TempDir dir;
  ASSERT_TRUE(fileio::MakeFolder(dir / "a"));
  EXPECT_EQ(fileio::MakeFolder(dir / "a").error, FileError::AlreadyExists);
  EXPECT_EQ(fileio::MakeFolder(dir / "x" / "y").error, FileError::OpenFailed);
  EXPECT_TRUE(fileio::IsFolder(dir / "a"));
  test::WriteBytes(dir / "a" / "f.mDat", {1, 2});
  ASSERT_TRUE(fileio::MakeFolder(dir / "a" / "sub"));
  std::vector<fileio::FolderEntry> entries;
  ASSERT_TRUE(fileio::ListFolder(dir / "a", entries));
  std::sort(entries.begin(), entries.end(),
            [](const auto& x, const auto& y) { return x.name < y.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "f.mDat");
  EXPECT_FALSE(entries[0].isFolder);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].isFolder);
  EXPECT_EQ(fileio::ListFolder(dir / "none", entries).error, FileError::NotFound);

  EXPECT_FALSE(fileio::RemoveEmptyFolder(dir / "a"));  // not empty
  ASSERT_TRUE(fileio::RemoveFile(dir / "a" / "f.mDat"));
  EXPECT_EQ(fileio::RemoveFile(dir / "a" / "f.mDat").error, FileError::NotFound);
  ASSERT_TRUE(fileio::RemoveEmptyFolder(dir / "a" / "sub"));
  ASSERT_TRUE(fileio::RemoveEmptyFolder(dir / "a"));
  EXPECT_FALSE(fileio::IsFolder(dir / "a"));
  EXPECT_NE(Describe(FileResult::Fail(FileError::AppendFailed, ENOSPC)).find("(system error"),
            std::string::npos);
}

}  // namespace
}  // namespace wd

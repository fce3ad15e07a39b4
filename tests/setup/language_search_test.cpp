#include "language_search.h"

#include <gtest/gtest.h>

#include <vector>

#include "temp_folder.h"

namespace setup {
namespace {

TEST(FindInstalledLanguages, ListsLanguageFoldersWithTheSystemsNativeNames) {
  TempFolder release;
  release.AddFolder(L"1033");
  release.AddFolder(L"2052");
  release.AddFolder(L"readme");
  release.AddFile(L"Setup.exe");

  const LanguageTable table = FindInstalledLanguages(release.path());
  ASSERT_EQ(2u, table.size());
  EXPECT_EQ(L"English", table.at(1033));
  EXPECT_EQ(SystemNativeLanguageName(2052), table.at(2052));
  EXPECT_NE(std::wstring::npos, table.at(2052).find(L"中文"));
}

TEST(FindInstalledLanguages, FoldersOfTheSameIdentifierGiveOneEntry) {
  TempFolder release;
  release.AddFolder(L"1033");
  release.AddFolder(L"01033");
  std::vector<int> asked;
  const LanguageTable table = FindInstalledLanguages(release.path(), [&](int id) {
    asked.push_back(id);
    return std::optional<std::wstring>(L"English " + std::to_wstring(asked.size()));
  });
  EXPECT_EQ((std::vector<int>{1033, 1033}), asked);
  ASSERT_EQ(1u, table.size());
  EXPECT_EQ(L"English 2", table.at(1033));  // the later folder's name replaces the earlier
}

TEST(FindInstalledLanguages, SkipsFilesUnknownIdentifiersAndMissingFolders) {
  TempFolder release;
  release.AddFile(L"1033");
  release.AddFolder(L"9999");
  release.AddFolder(L"0");
  EXPECT_TRUE(FindInstalledLanguages(release.path()).empty());
  EXPECT_FALSE(SystemNativeLanguageName(9999).has_value());

  EXPECT_TRUE(FindInstalledLanguages(release.path() + L"absent\\").empty());
}

}  // namespace
}  // namespace setup

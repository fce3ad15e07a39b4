#include "launcher_rules.h"

#include <gtest/gtest.h>

#include "resource.h"

namespace setup {
namespace {

TEST(LanguageIdFromFolderName, ReadsTheLeadingDigits) {
  EXPECT_EQ(1033, LanguageIdFromFolderName(L"1033"));
  EXPECT_EQ(2052, LanguageIdFromFolderName(L"2052"));
  EXPECT_EQ(1033, LanguageIdFromFolderName(L"01033"));
  EXPECT_EQ(2052, LanguageIdFromFolderName(L"2052 old"));
}

TEST(LanguageIdFromFolderName, NamesWithoutLeadingDigitsGiveZero) {
  for (const wchar_t* name : {L".", L"..", L"readme", L"", L"x1033", L" 1033", L"-1", L"+1033"})
    EXPECT_EQ(0, LanguageIdFromFolderName(name)) << name;
}

TEST(LanguageIdFromFolderName, NumbersBeyondALanguageIdentifierGiveZero) {
  EXPECT_EQ(65535, LanguageIdFromFolderName(L"65535"));
  EXPECT_EQ(0, LanguageIdFromFolderName(L"65536"));
  // Cut to 16 bits this would pass for 2052 and open a folder that is not Chinese.
  EXPECT_EQ(0, LanguageIdFromFolderName(L"67588"));
  EXPECT_EQ(0, LanguageIdFromFolderName(L"99999999999999999999"));
}

TEST(PackageLocation, FolderOfTheProgramKeepsItsBackslash) {
  EXPECT_EQ(L"C:\\Release\\", FolderOfProgram(L"C:\\Release\\Setup.exe"));
  EXPECT_EQ(L"\\\\server\\share\\", FolderOfProgram(L"\\\\server\\share\\Setup.exe"));
  EXPECT_EQ(L"", FolderOfProgram(L"Setup.exe"));
  EXPECT_EQ(L"C:\\Release\\2052\\Setup.msi", PackagePath(L"C:\\Release\\", 2052));
  EXPECT_EQ(L"C:\\Release\\1033\\Setup.msi",
            PackagePath(FolderOfProgram(L"C:\\Release\\Setup.exe"), 1033));
}

TEST(PackageForSelection, NoChosenLanguageStartsNothing) {
  // An empty list answers -1 for the selection and for its item data.
  EXPECT_FALSE(PackageForSelection(L"C:\\R\\", -1, -1));
  EXPECT_FALSE(PackageForSelection(L"C:\\R\\", 0, -1));
  EXPECT_FALSE(PackageForSelection(L"C:\\R\\", 0, 0));
  EXPECT_FALSE(PackageForSelection(L"C:\\R\\", 0, 0x10000));
  EXPECT_EQ(L"C:\\R\\1033\\Setup.msi", PackageForSelection(L"C:\\R\\", 1, 1033).value_or(L""));
}

TEST(DialogTemplateFor, OnlyChinesePrcGetsTheChineseDialog) {
  EXPECT_EQ(IDD_SETUP_CHINESE, DialogTemplateFor(0x0804));
  EXPECT_EQ(IDD_SETUP_ENGLISH, DialogTemplateFor(0x0409));
  EXPECT_EQ(IDD_SETUP_ENGLISH, DialogTemplateFor(0x0404));  // Chinese (Taiwan)
  EXPECT_EQ(IDD_SETUP_ENGLISH, DialogTemplateFor(0x0004));  // Chinese without a region
}

}  // namespace
}  // namespace setup

#include <gtest/gtest.h>

#include "app/logic/data_folders.h"

namespace wd {
namespace {

const std::filesystem::path kProgram = L"C:\\Users\\nurse\\AppData\\Local\\Programs\\Pulsora Pro";

TEST(DataFolders, WithoutTheMachineValueEverythingStaysBesideTheProgram) {
  const DataFolders folders = ChooseDataFolders({}, kProgram);
  EXPECT_EQ(folders.data, kProgram);
  EXPECT_EQ(folders.archive, kProgram / L"Archive");
}

TEST(DataFolders, ThePerMachineValueMovesTheRegisterAndTheArchive) {
  // The package writes the folder with its trailing backslash.
  const DataFolders folders =
      ChooseDataFolders({.machineDataFolder = L"C:\\ProgramData\\Pulsora Pro\\"}, kProgram);
  const std::filesystem::path shared = L"C:\\ProgramData\\Pulsora Pro";
  EXPECT_EQ(folders.data, shared);
  EXPECT_EQ(folders.archive, shared / L"Archive");

  EXPECT_EQ(ChooseDataFolders({.machineDataFolder = L"\\\\ward-server\\pulsora\\"}, kProgram).data,
            std::filesystem::path(L"\\\\ward-server\\pulsora"));
}

TEST(DataFolders, AValueThatNamesNoAbsoluteFolderIsIgnored) {
  for (const wchar_t* value :
       {L"", L"Pulsora Pro", L"C:", L"C:data", L"\\ProgramData", L"\\\\\\x"}) {
    EXPECT_EQ(ChooseDataFolders({.machineDataFolder = value}, kProgram).data, kProgram)
        << std::filesystem::path(value).string();
  }
}

TEST(DataFolders, TheUsersArchiveFolderMovesTheArchiveAloneWhenItIsAbsolute) {
  const DataFolders share = ChooseDataFolders({.machineDataFolder = L"C:\\ProgramData\\Pulsora Pro",
                                               .userArchiveFolder = L"\\\\nas\\ward 3\\"},
                                              kProgram);
  EXPECT_EQ(share.data, std::filesystem::path(L"C:\\ProgramData\\Pulsora Pro"));
  EXPECT_EQ(share.archive, std::filesystem::path(L"\\\\nas\\ward 3"));
  for (const wchar_t* value : {L"", L"Archive", L"D:archive", L"\\archive"}) {
    EXPECT_EQ(ChooseDataFolders({.userArchiveFolder = value}, kProgram).archive,
              kProgram / L"Archive")
        << std::filesystem::path(value).string();
  }
}

TEST(DataFolders, TrailingSeparatorsGoButADriveRootKeepsItsBackslash) {
  EXPECT_EQ(AbsoluteWindowsFolder(L"D:\\wards\\\\"), L"D:\\wards");
  EXPECT_EQ(AbsoluteWindowsFolder(L"D:/wards/"), L"D:/wards");
  EXPECT_EQ(AbsoluteWindowsFolder(L"D:\\"), L"D:\\");
  EXPECT_EQ(AbsoluteWindowsFolder(L"\\\\server\\share\\"), L"\\\\server\\share");
}

}  // namespace
}  // namespace wd

// Icons and bitmaps: every id is present with the sizes its users load it at.

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "resource.h"
#include "resource_modules.h"

namespace wd::test {
namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// (size, bits per pixel) of every image in an icon group; empty when the group is missing.
std::set<std::pair<int, int>> IconEntries(HMODULE module, int id) {
  std::set<std::pair<int, int>> entries;
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  if (!info) return entries;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
  const DWORD size = SizeofResource(module, info);
  if (!bytes || size < 6) return entries;
  WORD count = 0;
  memcpy(&count, bytes + 4, sizeof(count));
  for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
    GroupIconEntry entry;
    memcpy(&entry, bytes + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
    EXPECT_EQ(entry.width, entry.height) << "icon " << id;
    entries.insert({entry.width ? entry.width : 256, entry.bitCount});
  }
  return entries;
}

// Width of the icon as LoadImage hands it out at `size` pixels; 0 when it does not load.
int LoadedIconWidth(HMODULE module, int id, int size) {
  HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
  if (!icon) return 0;
  ICONINFO info{};
  BITMAP bitmap{};
  if (GetIconInfo(static_cast<HICON>(icon), &info)) {
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  DestroyIcon(static_cast<HICON>(icon));
  return bitmap.bmWidth;
}

TEST(Images, HomeButtonIconsHaveTheirOwnSize) {
  const int home[] = {IDI_HOME_GET_MONITORING, IDI_HOME_GET_MONITORING_ACTIVE,
                      IDI_HOME_GET_CHECK,      IDI_HOME_GET_CHECK_ACTIVE,
                      IDI_HOME_VIEW_DATA,      IDI_HOME_VIEW_DATA_ACTIVE,
                      IDI_HOME_SETTINGS,       IDI_HOME_SETTINGS_ACTIVE,
                      IDI_HOME_ABOUT,          IDI_HOME_ABOUT_ACTIVE};
  for (int id : home) {
    EXPECT_TRUE(IconEntries(ProgramModule(), id).count({90, 32})) << "icon " << id;
    EXPECT_EQ(LoadedIconWidth(ProgramModule(), id, 90), 90) << "icon " << id;
  }
  // Exit is a plain colour icon: the button greys its colour bits on hover.
  EXPECT_TRUE(IconEntries(ProgramModule(), IDI_HOME_EXIT).count({64, 24}));
  EXPECT_EQ(LoadedIconWidth(ProgramModule(), IDI_HOME_EXIT, 64), 64);
}

TEST(Images, RibbonAndFormIconsHaveLargeAndSmallImages) {
  const int icons[] = {IDI_PLUG_CONNECTED,
                       IDI_START_COMM,
                       IDI_PLUG_DISCONNECTED,
                       IDI_SETTINGS,
                       IDI_LAMP_ON,
                       IDI_LAMP_OFF,
                       IDI_STOP_COMM,
                       IDI_INFO,
                       IDI_DOWNLOAD,
                       IDI_SAVE,
                       IDI_CLEAR_DEVICE,
                       IDI_COLLAPSE_FORM,
                       IDI_EXPAND_FORM,
                       IDI_SHOW_CHECK_LIST,
                       IDI_SHOW_TREND,
                       IDI_SHOW_MONITOR_LIST,
                       IDI_HISTORY_BACK,
                       IDI_HISTORY_FORWARD,
                       IDI_IMPORT_CHECK,
                       IDI_IMPORT_MONITOR,
                       IDI_SHOW_HOME,
                       IDI_LANGUAGE_ENGLISH,
                       IDI_ALERT,
                       IDI_LANGUAGE_CHINESE};
  for (int id : icons) {
    const auto entries = IconEntries(ProgramModule(), id);
    EXPECT_TRUE(entries.count({32, 32})) << "icon " << id;
    EXPECT_TRUE(entries.count({16, 32})) << "icon " << id;
    // LoadIcon, as the ribbon uses it, picks the 32 pixel image.
    HICON icon = LoadIconW(ProgramModule(), MAKEINTRESOURCEW(id));
    EXPECT_NE(icon, nullptr) << "icon " << id;
    EXPECT_EQ(LoadedIconWidth(ProgramModule(), id, 32), 32) << "icon " << id;
  }
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
  *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
  return FALSE;  // stop at the first group
}

TEST(Images, ProgramIconIsTheFirstIconGroup) {
  ULONG_PTR first = 0;
  EnumResourceNamesW(ProgramModule(), MAKEINTRESOURCEW(14), TakeFirstName,
                     reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, static_cast<ULONG_PTR>(IDR_MAINFRAME));
  const auto entries = IconEntries(ProgramModule(), IDR_MAINFRAME);
  for (int size : {16, 32, 48, 64}) EXPECT_TRUE(entries.count({size, 32})) << size;
  // The English About box shows it from its own module.
  EXPECT_FALSE(IconEntries(EnglishModule(), IDR_MAINFRAME).empty());
}

TEST(Images, BitmapsKeepTheirSizeAndAlphaChannel) {
  const struct {
    int id;
    int width, height;
  } bitmaps[] = {{IDB_RIBBON_SMALL, 12 * 16, 16},
                 {IDB_RIBBON_LARGE, 12 * 32, 32},
                 {IDB_APP_BUTTON, 32, 32},
                 {IDB_PANEL_IMAGES, 28 * 16, 16}};
  for (const auto& expected : bitmaps) {
    HANDLE bitmap = LoadImageW(ProgramModule(), MAKEINTRESOURCEW(expected.id), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr) << "bitmap " << expected.id;
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, expected.width) << "bitmap " << expected.id;
    EXPECT_EQ(section.dsBm.bmHeight, expected.height) << "bitmap " << expected.id;
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32) << "bitmap " << expected.id;
    DeleteObject(bitmap);
  }
}

}  // namespace
}  // namespace wd::test

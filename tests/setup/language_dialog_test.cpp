#include "language_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog_driver.h"
#include "language_search.h"
#include "resource.h"
#include "temp_folder.h"

namespace setup {
namespace {

const std::wstring kFolder = L"C:\\release\\";

// Records the packages the launcher asks to open instead of starting an installer.
struct RecordingOpener {
  bool succeeds = true;
  std::vector<std::wstring> opened;
  PackageOpener Opener() {
    return [this](const std::wstring& package) {
      opened.push_back(package);
      return succeeds;
    };
  }
};

LanguageTable SystemLanguages(std::initializer_list<int> ids) {
  LanguageTable table;
  for (const int id : ids) table[id] = SystemNativeLanguageName(id).value();
  return table;
}

HINSTANCE Resources() { return GetModuleHandleW(nullptr); }

struct Seen {
  std::wstring caption;
  ListView list;
};

Seen Look(HWND dialog) { return {TextOf(dialog), ReadList(GetDlgItem(dialog, IDC_LANGUAGE_LIST))}; }

TEST(LanguageDialog, ChineseSystemListsByNameSelectsChineseAndOpensItsPackage) {
  TempFolder release;
  for (const wchar_t* name : {L"1033", L"2052", L"readme"}) release.AddFolder(name);
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), DialogTemplateFor(0x0804),
                        FindInstalledLanguages(release.path()), release.path(), opener.Opener());
  Seen seen;
  const INT_PTR result = RunDriven([&] { return dialog.Run(); },
                                   [&](HWND window) {
                                     seen = Look(window);
                                     Press(window, IDOK);
                                   });

  EXPECT_EQ(L"选择设置语言", seen.caption);
  const std::wstring chinese = SystemNativeLanguageName(2052).value();
  EXPECT_EQ((std::vector<std::wstring>{L"English", chinese}), seen.list.entries);
  EXPECT_EQ(1, seen.list.selected);
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(std::vector<std::wstring>{release.path() + L"2052\\Setup.msi"}, opener.opened);
}

TEST(LanguageDialog, ChineseSystemWithoutChineseSelectsTheFirstName) {
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), IDD_SETUP_CHINESE, SystemLanguages({1033, 1031}), kFolder,
                        opener.Opener());
  Seen seen;
  RunDriven([&] { return dialog.Run(); },
            [&](HWND window) {
              seen = Look(window);
              Press(window, IDOK);
            });
  EXPECT_EQ((std::vector<std::wstring>{L"Deutsch", L"English"}), seen.list.entries);
  EXPECT_EQ(0, seen.list.selected);
  EXPECT_EQ(std::vector<std::wstring>{kFolder + L"1031\\Setup.msi"}, opener.opened);
}

TEST(LanguageDialog, OtherSystemsSelectTheFirstEntryAndOpenTheChosenOne) {
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), DialogTemplateFor(0x0409), SystemLanguages({2052, 1033}),
                        kFolder, opener.Opener());
  Seen seen;
  const INT_PTR result =
      RunDriven([&] { return dialog.Run(); },
                [&](HWND window) {
                  seen = Look(window);
                  SendMessageW(GetDlgItem(window, IDC_LANGUAGE_LIST), CB_SETCURSEL, 1, 0);
                  Press(window, IDOK);
                });
  EXPECT_EQ(L"Select & Config Language", seen.caption);
  EXPECT_EQ(L"English", seen.list.entries.at(0));
  EXPECT_EQ(0, seen.list.selected);
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(std::vector<std::wstring>{kFolder + L"2052\\Setup.msi"}, opener.opened);
}

TEST(LanguageDialog, LanguageTypedInFullCountsAsChosen) {
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), IDD_SETUP_ENGLISH, SystemLanguages({2052, 1033}), kFolder,
                        opener.Opener());
  RunDriven([&] { return dialog.Run(); },
            [&](HWND window) {
              HWND list = GetDlgItem(window, IDC_LANGUAGE_LIST);
              SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
              const std::wstring chinese = SystemNativeLanguageName(2052).value();
              SendMessageW(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chinese.c_str()));
              Press(window, IDOK);
            });
  EXPECT_EQ(std::vector<std::wstring>{kFolder + L"2052\\Setup.msi"}, opener.opened);
}

TEST(LanguageDialog, OkWithoutAnyLanguageStartsNothingAndCloses) {
  for (const int templateId : {IDD_SETUP_CHINESE, IDD_SETUP_ENGLISH}) {
    RecordingOpener opener;
    LanguageDialog dialog(Resources(), templateId, {}, kFolder, opener.Opener());
    Seen seen;
    const INT_PTR result = RunDriven([&] { return dialog.Run(); },
                                     [&](HWND window) {
                                       seen = Look(window);
                                       Press(window, IDOK);
                                     });
    EXPECT_TRUE(seen.list.entries.empty()) << templateId;
    EXPECT_EQ(IDOK, result) << templateId;
    EXPECT_TRUE(opener.opened.empty()) << templateId;
  }
}

TEST(LanguageDialog, PackageThatCannotStartIsReportedAndTheChoiceStaysOpen) {
  RecordingOpener opener;
  opener.succeeds = false;
  LanguageDialog dialog(Resources(), IDD_SETUP_ENGLISH, SystemLanguages({1033}), kFolder,
                        opener.Opener());
  std::wstring report;
  bool stayedOpen = false;
  const INT_PTR result = RunDriven(
      [&] { return dialog.Run(); },
      [&](HWND window) {
        Press(window, IDOK);
        HWND message = WaitForDialog(GetWindowThreadProcessId(window, nullptr), window, 5000);
        if (message == nullptr) return;
        report = TextOf(GetDlgItem(message, 0xFFFF));  // the message box's text control
        Press(message, IDOK);
        WaitUntilClosed(message, 5000);
        stayedOpen = IsWindowVisible(window) != FALSE;
        Press(window, IDCANCEL);
      });
  EXPECT_NE(std::wstring::npos, report.find(kFolder + L"1033\\Setup.msi")) << report;
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ(1u, opener.opened.size());
}

struct SystemMenuLook {
  std::wstring lastItem;
  UINT lastId = 0;
};

SystemMenuLook LookAtSystemMenu(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int last = GetMenuItemCount(menu) - 1;
  wchar_t text[128] = {};
  GetMenuStringW(menu, static_cast<UINT>(last), text, 128, MF_BYPOSITION);
  return {text, GetMenuItemID(menu, last)};
}

TEST(LanguageDialog, EnglishDialogHasItsIconAboutBoxAndMinimisedPicture) {
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), IDD_SETUP_ENGLISH, SystemLanguages({1033}), kFolder,
                        opener.Opener());
  SystemMenuLook menu;
  HICON bigIcon = nullptr, smallIcon = nullptr, dragIcon = nullptr;
  std::wstring aboutCaption;
  bool minimised = false;
  RunDriven(
      [&] { return dialog.Run(); },
      [&](HWND window) {
        menu = LookAtSystemMenu(window);
        bigIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        smallIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        dragIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_QUERYDRAGICON, 0, 0));

        PostMessageW(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        if (HWND about = WaitForDialog(GetWindowThreadProcessId(window, nullptr), window, 5000)) {
          aboutCaption = TextOf(about);
          Press(about, IDOK);
          WaitUntilClosed(about, 5000);
        }

        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        for (int i = 0; i < 250 && !minimised; ++i, Sleep(20))  // slow when the machine is busy
          minimised = IsIconic(window) != FALSE;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        Press(window, IDOK);
      });
  EXPECT_EQ(L"关于 Setup(&A)...", menu.lastItem);
  EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), menu.lastId);
  EXPECT_NE(nullptr, bigIcon);
  EXPECT_NE(nullptr, smallIcon);
  EXPECT_EQ(bigIcon, dragIcon);
  EXPECT_EQ(L"关于 Setup", aboutCaption);
  EXPECT_TRUE(minimised);
  // Still answering after painting minimised: OK went through.
  EXPECT_EQ(std::vector<std::wstring>{kFolder + L"1033\\Setup.msi"}, opener.opened);
}

TEST(LanguageDialog, ChineseDialogHasNoAboutItemAndCancelStartsNothing) {
  RecordingOpener opener;
  LanguageDialog dialog(Resources(), IDD_SETUP_CHINESE, SystemLanguages({2052}), kFolder,
                        opener.Opener());
  SystemMenuLook menu;
  const INT_PTR result = RunDriven([&] { return dialog.Run(); },
                                   [&](HWND window) {
                                     menu = LookAtSystemMenu(window);
                                     Press(window, IDCANCEL);
                                   });
  EXPECT_NE(static_cast<UINT>(IDM_ABOUTBOX), menu.lastId);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_TRUE(opener.opened.empty());
}

}  // namespace
}  // namespace setup

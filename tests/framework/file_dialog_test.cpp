// File dialogs: filter conversion, and the dialog answered by a helper thread.
#include <gtest/gtest.h>

#include "framework/file_dialog.h"
#include "test_host.h"
#include "tests/ui_support/file_dialog_answer.h"

namespace {

using namespace std::string_literals;

TEST(FileDialogFilter, MfcStyleFiltersBecomeDoubleNullLists) {
  EXPECT_EQ(fw::FilterToDoubleNull(L"Check Files (*.cDat)|*.cDat||"),
            L"Check Files (*.cDat)\0*.cDat\0\0"s);
  EXPECT_EQ(fw::FilterToDoubleNull(L"A|*.a|B|*.b;*.c||"), L"A\0*.a\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(fw::FilterToDoubleNull(L"Monitor Files (*.mDat)|*.mDat"),
            L"Monitor Files (*.mDat)\0*.mDat\0\0"s)
      << "an unclosed filter is closed";
  EXPECT_EQ(fw::FilterToDoubleNull(L"A|*.a|Dangling||"), L"A\0*.a\0\0"s);
  EXPECT_EQ(fw::FilterToDoubleNull(L""), L""s);
  EXPECT_EQ(fw::FilterToDoubleNull(L"||"), L""s);
}

using ui_support::FileDialogAnswer;

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, path);
  std::wstring folder(path);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

class FileDialogs : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner.Open(300, 200)); }
  fw::FileDialogOptions Options(const wchar_t* title, const wchar_t* filter,
                                const wchar_t* extension) const {
    fw::FileDialogOptions options;
    options.owner = owner.hwnd();
    options.title = title;
    options.filter = filter;
    options.defaultExtension = extension;
    return options;
  }
  fw_test::HostWindow owner;
};

TEST_F(FileDialogs, CancelGivesNothing) {
  const auto options = Options(L"导入", L"Check Files (*.cDat)|*.cDat||", L"cDat");
  FileDialogAnswer answer(options.title, L"", IDCANCEL);
  EXPECT_FALSE(fw::ShowOpenFileDialog(options).has_value());
  EXPECT_TRUE(answer.Answered()) << "the dialog never opened, or was never cancelled";
}

TEST_F(FileDialogs, ASavedNameGetsTheDefaultExtensionInTheInitialFolder) {
  auto options = Options(L"Export", L"Monitor Files (*.mDat)|*.mDat||", L"mDat");
  options.initialName = L"2019624959.mDat";
  options.initialFolder = TempFolder();
  options.flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  FileDialogAnswer answer(options.title, L"ward7", IDOK);
  const auto chosen = fw::ShowSaveFileDialog(options);
  EXPECT_TRUE(answer.Answered());
  ASSERT_TRUE(chosen.has_value());
  // Wine's dialog lowercases the added extension; names are case-insensitive anyway.
  const std::wstring expected = options.initialFolder + L"\\ward7.mDat";
  EXPECT_EQ(::CompareStringOrdinal(chosen->c_str(), -1, expected.c_str(), -1, TRUE), CSTR_EQUAL)
      << "chosen: " << ::testing::PrintToString(*chosen);
}

}  // namespace

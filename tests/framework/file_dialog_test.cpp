// File dialogs: filter conversion, and the dialog answered by a helper thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/file_dialog.h"
#include "test_host.h"
#include "tests/ui_support/message_box_watcher.h"

namespace {

using namespace std::string_literals;

TEST(FileDialogFilter, MfcStyleFiltersBecomeDoubleNullLists) {
    EXPECT_EQ(fw::FilterToDoubleNull(L"Check Files (*.cDat)|*.cDat||"), L"Check Files (*.cDat)\0*.cDat\0\0"s);
    EXPECT_EQ(fw::FilterToDoubleNull(L"A|*.a|B|*.b;*.c||"), L"A\0*.a\0B\0*.b;*.c\0\0"s);
    EXPECT_EQ(fw::FilterToDoubleNull(L"Monitor Files (*.mDat)|*.mDat"), L"Monitor Files (*.mDat)\0*.mDat\0\0"s)
        << "an unclosed filter is closed";
    EXPECT_EQ(fw::FilterToDoubleNull(L"A|*.a|Dangling||"), L"A\0*.a\0\0"s);
    EXPECT_EQ(fw::FilterToDoubleNull(L""), L""s);
    EXPECT_EQ(fw::FilterToDoubleNull(L"||"), L""s);
}

// Waits on its own thread for the dialog titled `title`, then types a name and presses a button.
class FileDialogAnswer {
public:
    FileDialogAnswer(std::wstring title, std::wstring name, int button)
        : thread_([this, title = std::move(title), name = std::move(name), button] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
              while (std::chrono::steady_clock::now() < deadline) {
                  for (HWND dialog : ui_support::ProcessDialogs()) {
                      wchar_t caption[128] = {};
                      ::GetWindowTextW(dialog, caption, 128);
                      if (title != caption) continue;
                      std::this_thread::sleep_for(std::chrono::milliseconds(200));  // let it settle
                      if (!name.empty()) {
                          // The name field is a combo box (cmb13) or an edit (edt1).
                          HWND field = ::GetDlgItem(dialog, 0x47C);
                          if (field == nullptr) field = ::GetDlgItem(dialog, 0x480);
                          ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
                      }
                      ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
                      answered = true;
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~FileDialogAnswer() { thread_.join(); }
    std::atomic<bool> answered{false};

private:
    std::thread thread_;
};

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
    fw::FileDialogOptions Options(const wchar_t* title, const wchar_t* filter, const wchar_t* extension) const {
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
}

TEST_F(FileDialogs, ASavedNameGetsTheDefaultExtensionInTheInitialFolder) {
    auto options = Options(L"Export", L"Monitor Files (*.mDat)|*.mDat||", L"mDat");
    options.initialName = L"2019624959.mDat";
    options.initialFolder = TempFolder();
    options.flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    FileDialogAnswer answer(options.title, L"ward7", IDOK);
    const auto chosen = fw::ShowSaveFileDialog(options);
    ASSERT_TRUE(chosen.has_value());
    // Wine's dialog lowercases the added extension; names are case-insensitive anyway.
    const std::wstring expected = options.initialFolder + L"\\ward7.mDat";
    EXPECT_EQ(::CompareStringOrdinal(chosen->c_str(), -1, expected.c_str(), -1, TRUE), CSTR_EQUAL)
        << "chosen: " << ::testing::PrintToString(*chosen);
}

}  // namespace

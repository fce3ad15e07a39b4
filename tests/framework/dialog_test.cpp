// Modal dialogs from templates: how they end, and what they see while running.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/dialog.h"
#include "test_host.h"
#include "test_resource_ids.h"

namespace {

// Posts itself one message once it is up; the modal loop then delivers it.
class ScriptedDialog : public fw::Dialog {
 public:
  ScriptedDialog(UINT message, WPARAM wParam, LPARAM lParam = 0)
      : Dialog(IDD_MODAL), message_(message), wParam_(wParam), lParam_(lParam) {}

  bool sawEdit = false;
  HWND ownerSeen = nullptr;
  int cancels = 0;

 protected:
  bool OnInitDialog() override {
    sawEdit = Child(IDC_DIALOG_EDIT) != nullptr;
    ownerSeen = ::GetWindow(hwnd(), GW_OWNER);
    // Keys go to the focused control, as typing would.
    const HWND target = message_ == WM_KEYDOWN ? Child(IDC_DIALOG_EDIT) : hwnd();
    ::SetFocus(Child(IDC_DIALOG_EDIT));
    ::PostMessageW(target, message_, wParam_, lParam_);
    return false;
  }
  void OnCancel() override {
    ++cancels;
    Dialog::OnCancel();
  }

 private:
  UINT message_;
  WPARAM wParam_;
  LPARAM lParam_;
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner.Open(300, 200)); }
  fw_test::HostWindow owner;
};

TEST_F(DialogTest, APostedOkEndsTheDialogWithOk) {
  ScriptedDialog dialog(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  EXPECT_EQ(dialog.DoModal(owner.hwnd()), IDOK);
  EXPECT_TRUE(dialog.sawEdit);
  EXPECT_EQ(dialog.ownerSeen, owner.hwnd());
  EXPECT_EQ(dialog.hwnd(), nullptr) << "the object lets go of the ended dialog";
  EXPECT_TRUE(::IsWindowEnabled(owner.hwnd())) << "the owner is enabled again";
}

TEST_F(DialogTest, TheCloseBoxAndEscapeEndWithCancel) {
  ScriptedDialog closed(WM_CLOSE, 0);
  EXPECT_EQ(closed.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(closed.cancels, 1);

  ScriptedDialog escaped(WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  EXPECT_EQ(escaped.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(escaped.cancels, 1);
}

TEST_F(DialogTest, AMessageFromAnotherThreadEndsIt) {
  class Waiting : public fw::Dialog {
   public:
    Waiting() : Dialog(IDD_MODAL) {}
    std::atomic<HWND> shown{nullptr};

   protected:
    bool OnInitDialog() override {
      shown = hwnd();
      return true;
    }
  } dialog;
  std::thread closer([&dialog] {
    while (dialog.shown.load() == nullptr) std::this_thread::yield();
    ::PostMessageW(dialog.shown.load(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  const INT_PTR result = dialog.DoModal(owner.hwnd());
  closer.join();
  EXPECT_EQ(result, IDOK);
}

TEST_F(DialogTest, AMissingTemplateIsReportedNotShown) {
  fw::Dialog missing(4242);
  EXPECT_EQ(missing.DoModal(owner.hwnd()), -1);
}

}  // namespace

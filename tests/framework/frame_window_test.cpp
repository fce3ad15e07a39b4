// The frame's layout around its bars and its message pre-translation.
#include <gtest/gtest.h>

#include "framework/frame_window.h"
#include "framework/message_loop.h"
#include "test_host.h"
#include "tests/ui_support/message_pump.h"

namespace {

using fw_test::ChildRect;

class FixedBar : public fw::FrameBar {
 public:
  explicit FixedBar(HWND parent, int height) : height_(height) {
    window_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                                nullptr, nullptr, nullptr);
  }
  HWND BarWindow() const override { return window_; }
  int BarHeight(int) const override { return height_; }

 private:
  HWND window_;
  int height_;
};

class ClickCountingView : public fw_test::HostWindow {
 public:
  int rightUps = 0;
  int leftUps = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_RBUTTONUP) ++rightUps;
    if (message == WM_LBUTTONUP) ++leftUps;
    return HostWindow::HandleMessage(message, wParam, lParam);
  }
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        frame.CreateFrame(L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{0, 0, 640, 480}));
    const std::wstring className = fw::RegisterPrivateClass();
    fw::WindowSpec windowSpec;
    windowSpec.className = className.c_str();
    windowSpec.style = WS_CHILD | WS_VISIBLE;
    windowSpec.parent = frame.hwnd();
    windowSpec.id = fw::kPaneFirstId;
    ASSERT_TRUE(view.Create(windowSpec));
    frame.SetCurrentView(&view);
  }

  fw::FrameWindow frame;
  ClickCountingView view;
};

TEST_F(FrameTest, TheViewFillsWhatTheBarsLeave) {
  FixedBar ribbon(frame.hwnd(), 100);
  FixedBar status(frame.hwnd(), 30);
  frame.SetTopBar(&ribbon);
  frame.SetBottomBar(&status);
  const SIZE client = fw_test::ClientSizeOf(frame.hwnd());

  const RECT pane = ChildRect(view.hwnd());
  EXPECT_EQ(pane.left, 0);
  EXPECT_EQ(pane.top, 100);
  EXPECT_EQ(pane.right, client.cx);
  EXPECT_EQ(pane.bottom, client.cy - 30);
  const RECT expectedPane = frame.PaneRect();
  EXPECT_TRUE(::EqualRect(&pane, &expectedPane) != FALSE);
  EXPECT_EQ(ChildRect(ribbon.BarWindow()).bottom, 100);
  EXPECT_EQ(ChildRect(status.BarWindow()).top, client.cy - 30);

  ::SetWindowPos(frame.hwnd(), nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
  const SIZE larger = fw_test::ClientSizeOf(frame.hwnd());
  EXPECT_EQ(ChildRect(view.hwnd()).right, larger.cx);
  EXPECT_EQ(ChildRect(view.hwnd()).bottom, larger.cy - 30);

  ::ShowWindow(ribbon.BarWindow(), SW_HIDE);
  frame.RecalcLayout();
  EXPECT_EQ(ChildRect(view.hwnd()).top, 0) << "a hidden bar takes no room";
}

TEST_F(FrameTest, RightButtonReleasesNeverReachAWindow) {
  MSG right = fw_test::MakeMessage(view.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  MSG nonClientRight =
      fw_test::MakeMessage(view.hwnd(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(5, 5));
  MSG left = fw_test::MakeMessage(view.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  fw::ProcessMessage(right);
  fw::ProcessMessage(nonClientRight);
  fw::ProcessMessage(left);
  EXPECT_EQ(view.rightUps, 0);
  EXPECT_EQ(view.leftUps, 1);
}

TEST_F(FrameTest, FocusGivenToTheFrameGoesToTheView) {
  ::SetForegroundWindow(frame.hwnd());
  ui_support::PumpMessagesFor(100);  // let the activation settle
  const HWND other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                       frame.hwnd(), nullptr, nullptr, nullptr);
  ::SetFocus(other);
  ASSERT_EQ(::GetFocus(), other);
  ::SetFocus(frame.hwnd());
  EXPECT_EQ(::GetFocus(), view.hwnd());
  ::DestroyWindow(other);
}

TEST(MessageLoop, RunsUntilItsConditionAndLeavesQuitForTheOuterLoop) {
  fw_test::HostWindow window;
  ASSERT_TRUE(window.Open(100, 100));
  bool posted = false;
  ::PostMessageW(window.hwnd(), WM_NULL, 0, 0);
  EXPECT_FALSE(fw::RunMessageLoopUntil([&] { return posted; }, 30)) << "times out";
  ::PostQuitMessage(3);
  EXPECT_FALSE(fw::RunMessageLoopUntil([] { return false; }, 2000));
  EXPECT_EQ(fw::RunMessageLoop(), 3) << "the quit message was kept for the real loop";
}

}  // namespace

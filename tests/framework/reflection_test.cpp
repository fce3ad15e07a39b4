// A parent hands a child's own notifications to the child's object first, as an owner-drawn
// image button needs: it draws itself, colours itself and sees its click before the command.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "test_host.h"
#include "tests/ui_support/message_pump.h"

namespace {

using fw_test::HostWindow;

class Parent : public HostWindow {
 public:
  std::vector<std::string>* log = nullptr;
  int ownDrawItems = 0;
  HBRUSH parentBrush = nullptr;

  bool ExecuteCommand(UINT id) override {
    log->push_back("parent command " + std::to_string(id));
    return true;
  }

 protected:
  bool OnDrawItem(DRAWITEMSTRUCT&) override {
    ++ownDrawItems;
    return true;
  }
  HBRUSH OnCtlColor(HDC, HWND, UINT) override { return parentBrush; }
};

// Owner-drawn like the image button: turns itself into BS_OWNERDRAW when attached.
class OwnerDrawnButton : public fw::Window {
 public:
  std::vector<std::string>* log = nullptr;
  int drawn = 0;
  bool swallowClicks = false;

 protected:
  void OnAttached() override {
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, (style & ~LONG_PTR{BS_TYPEMASK}) | BS_OWNERDRAW);
  }
  bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override {
    ++drawn;
    ::FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return true;
  }
  bool OnReflectedCommand(UINT code) override {
    if (code == BN_CLICKED) log->push_back("button sees its click");
    return swallowClicks;
  }
  HBRUSH OnReflectedCtlColor(HDC, UINT) override {
    return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
  }
  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override {
    if (header.code != NM_CLICK) return false;
    result = 77;
    return true;
  }
};

class Reflection : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.log = &log;
    button.log = &log;
    ASSERT_TRUE(parent.Open(300, 200));
    buttonWindow =
        ::CreateWindowExW(0, L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80,
                          30, parent.hwnd(), reinterpret_cast<HMENU>(1005), nullptr, nullptr);
    plainWindow =
        ::CreateWindowExW(0, L"BUTTON", L"Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100, 10,
                          80, 30, parent.hwnd(), reinterpret_cast<HMENU>(1006), nullptr, nullptr);
    ASSERT_TRUE(button.Attach(buttonWindow));
  }

  std::vector<std::string> log;
  Parent parent;
  OwnerDrawnButton button;
  HWND buttonWindow = nullptr;
  HWND plainWindow = nullptr;
};

TEST_F(Reflection, AnOwnerDrawnChildDrawsItselfAndTheParentIsNotAsked) {
  ::InvalidateRect(buttonWindow, nullptr, TRUE);
  ::UpdateWindow(buttonWindow);
  ui_support::PumpMessagesFor(50);
  EXPECT_GE(button.drawn, 1);
  EXPECT_EQ(parent.ownDrawItems, 0);
}

TEST_F(Reflection, AClickReachesTheButtonBeforeTheParentRunsTheCommand) {
  ::SendMessageW(buttonWindow, BM_CLICK, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"button sees its click", "parent command 1005"}));

  log.clear();
  button.swallowClicks = true;
  ::SendMessageW(buttonWindow, BM_CLICK, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"button sees its click"});

  log.clear();
  ::SendMessageW(plainWindow, BM_CLICK, 0, 0);
  EXPECT_EQ(log, std::vector<std::string>{"parent command 1006"});
}

TEST_F(Reflection, AChildsOwnColourRequestIsAnsweredByTheChild) {
  parent.parentBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  const HDC dc = ::GetDC(buttonWindow);
  const auto fromButton =
      ::SendMessageW(parent.hwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(buttonWindow));
  const auto fromPlain = ::SendMessageW(parent.hwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(plainWindow));
  ::ReleaseDC(buttonWindow, dc);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(fromButton), ::GetStockObject(HOLLOW_BRUSH));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(fromPlain), parent.parentBrush);
}

TEST_F(Reflection, NotificationsAreReflectedWithTheChildsResult) {
  NMHDR header{buttonWindow, 1005, static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(::SendMessageW(parent.hwnd(), WM_NOTIFY, 1005, reinterpret_cast<LPARAM>(&header)), 77);
}

}  // namespace

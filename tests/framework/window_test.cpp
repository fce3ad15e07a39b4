// Binding objects to windows: creation, subclassing, destruction in either order, the
// exception boundary and timers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/exception_report.h"

#include "test_host.h"
#include "tests/ui_support/message_pump.h"

namespace {

using fw_test::HostWindow;

class RecordingWindow : public HostWindow {
 public:
  int finalMessages = 0;
  int destroys = 0;
  std::string lastException;
  bool throwOnCreate = false;
  bool throwOnPaint = false;

 protected:
  int OnCreate(const CREATESTRUCTW& create) override {
    if (throwOnCreate) throw std::runtime_error("create failed");
    return HostWindow::OnCreate(create);
  }
  void OnDestroy() override { ++destroys; }
  void OnFinalMessage() override { ++finalMessages; }
  void OnHandlerException(const char* what) noexcept override { lastException = what; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP && throwOnPaint) throw std::runtime_error("handler failed");
    if (message == WM_APP + 1) return 1234;
    return HostWindow::HandleMessage(message, wParam, lParam);
  }
};

TEST(WindowBinding, ObjectAndHandleFindEachOtherAndCustomMessagesReachTheObject) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open(200, 100));
  EXPECT_EQ(fw::Window::FromHandle(window.hwnd()), &window);
  EXPECT_EQ(::SendMessageW(window.hwnd(), WM_APP + 1, 0, 0), 1234);
  EXPECT_EQ(fw::Window::FromHandle(::GetDesktopWindow()), nullptr);
  EXPECT_FALSE(window.Open(10, 10)) << "one window per object";
}

TEST(WindowBinding, DestroyingTheObjectDestroysItsWindow) {
  HWND handle = nullptr;
  {
    RecordingWindow window;
    ASSERT_TRUE(window.Open(200, 100));
    handle = window.hwnd();
  }
  EXPECT_FALSE(::IsWindow(handle));
}

TEST(WindowBinding, AWindowDestroyedFirstLeavesNoDanglingHandle) {
  RecordingWindow window;
  ASSERT_TRUE(window.Open(200, 100));
  const HWND handle = window.hwnd();
  ::DestroyWindow(handle);
  EXPECT_EQ(window.hwnd(), nullptr);
  EXPECT_EQ(window.destroys, 1);
  EXPECT_EQ(window.finalMessages, 1);
  EXPECT_EQ(fw::Window::FromHandle(handle), nullptr);
  window.Redraw();  // harmless without a window
}

TEST(WindowBinding, ExceptionsStopAtTheWindowProcedure) {
  RecordingWindow window;
  window.throwOnCreate = true;
  EXPECT_FALSE(window.Open(200, 100)) << "a throwing OnCreate fails the creation";
  EXPECT_EQ(window.lastException, "create failed");
  EXPECT_EQ(window.hwnd(), nullptr);

  RecordingWindow other;
  ASSERT_TRUE(other.Open(200, 100));
  other.throwOnPaint = true;
  EXPECT_EQ(::SendMessageW(other.hwnd(), WM_APP, 0, 0), 0);
  EXPECT_EQ(other.lastException, "handler failed");
  EXPECT_TRUE(::IsWindow(other.hwnd()));
}

// A window whose paint fails before it begins painting, with the framework's own reporting.
class FailingPainter : public HostWindow {
 public:
  int paints = 0;

 protected:
  void OnPaint() override {
    ++paints;
    throw std::runtime_error("paint failed");
  }
};

TEST(WindowBinding, AFailedPaintIsReportedToTheSinkAndNotAskedForAgain) {
  std::vector<std::pair<std::string, std::string>> reports;
  fw::SetExceptionSink([&](const std::string& where, const std::string& what) {
    reports.emplace_back(where, what);
  });
  FailingPainter window;
  ASSERT_TRUE(window.Open(200, 100));
  ::InvalidateRect(window.hwnd(), nullptr, TRUE);
  ui_support::PumpMessagesFor(300);
  fw::SetExceptionSink({});
  // Without the validation the paint would come back on every pass of the loop.
  EXPECT_GE(window.paints, 1);
  EXPECT_LE(window.paints, 2);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.front().first, "a window procedure");
  EXPECT_EQ(reports.front().second, "paint failed");
  RECT update{};
  EXPECT_FALSE(::GetUpdateRect(window.hwnd(), &update, FALSE));
}

// Counts typed characters of a standard edit control while it keeps its own behaviour.
class CharCounter : public fw::Window {
 public:
  int characters = 0;
  int attached = 0;

 protected:
  void OnAttached() override { ++attached; }
  void OnChar(UINT character, UINT flags) override {
    ++characters;
    Window::OnChar(character, flags);
  }
};

TEST(WindowBinding, AttachingSubclassesAControlAndDetachingRestoresIt) {
  HostWindow host;
  ASSERT_TRUE(host.Open(300, 100));
  const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 200, 24,
                                      host.hwnd(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
  const LONG_PTR original = ::GetWindowLongPtrW(edit, GWLP_WNDPROC);
  {
    CharCounter counter;
    ASSERT_TRUE(counter.Attach(edit));
    EXPECT_EQ(counter.attached, 1);
    EXPECT_FALSE(CharCounter().Attach(edit)) << "a control has one object";
    ::SendMessageW(edit, WM_CHAR, L'4', 1);
    ::SendMessageW(edit, WM_CHAR, L'2', 1);
    EXPECT_EQ(counter.characters, 2);
    EXPECT_EQ(counter.Text(), L"42") << "default processing still inserts the text";
  }
  EXPECT_TRUE(::IsWindow(edit)) << "the dialog, not the wrapper, owns an attached control";
  EXPECT_EQ(::GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(fw::Window::FromHandle(edit), nullptr);
  ::SendMessageW(edit, WM_CHAR, L'7', 1);
  wchar_t text[8] = {};
  ::GetWindowTextW(edit, text, 8);
  EXPECT_STREQ(text, L"427");
}

// A procedure put on top of ours by someone else; it counts what passes through.
WNDPROC gOuterNext = nullptr;
int gOuterCalls = 0;
LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++gOuterCalls;
  return ::CallWindowProcW(gOuterNext, window, message, wParam, lParam);
}

TEST(WindowBinding, DetachedUnderAnotherSubclassTheControlStillWorksUntilItGoes) {
  HostWindow host;
  ASSERT_TRUE(host.Open(300, 100));
  const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 200, 24,
                                      host.hwnd(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
  {
    CharCounter counter;
    ASSERT_TRUE(counter.Attach(edit));
    gOuterCalls = 0;
    gOuterNext = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    ::SendMessageW(edit, WM_CHAR, L'1', 1);
    EXPECT_EQ(counter.characters, 1);
  }
  // Our procedure could not be unhooked: it stays in the chain and passes everything on.
  EXPECT_EQ(fw::Window::FromHandle(edit), nullptr);
  ::SendMessageW(edit, WM_CHAR, L'2', 1);
  EXPECT_EQ(gOuterCalls, 2);
  wchar_t text[8] = {};
  ::GetWindowTextW(edit, text, 8);
  EXPECT_STREQ(text, L"12");
  EXPECT_TRUE(::DestroyWindow(edit));
}

TEST(WindowBinding, AWindowOfAnotherThreadIsNotAttached) {
  std::atomic<HWND> edit = nullptr;
  std::atomic<bool> done = false;
  std::thread owner([&] {
    edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr,
                             nullptr);
    while (!done) {
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::DestroyWindow(edit.load());
  });
  while (edit == nullptr) std::this_thread::yield();
  CharCounter counter;
  EXPECT_FALSE(counter.Attach(edit)) << "its messages would never reach this thread's binding";
  EXPECT_EQ(fw::Window::FromHandle(edit), nullptr);
  done = true;
  owner.join();
}

TEST(WindowBinding, AnAttachedControlDestroyedWithItsParentDetachesItself) {
  auto host = std::make_unique<HostWindow>();
  ASSERT_TRUE(host->Open(300, 100));
  const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10, host->hwnd(),
                                      nullptr, nullptr, nullptr);
  CharCounter counter;
  ASSERT_TRUE(counter.Attach(edit));
  host.reset();
  EXPECT_EQ(counter.hwnd(), nullptr);
}

// Deletes itself (through its owner) while handling a message, as a careless view switch would.
class SelfDeleting : public HostWindow {
 public:
  std::unique_ptr<SelfDeleting>* owner = nullptr;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) {
      owner->reset();
      return 5;
    }
    return HostWindow::HandleMessage(message, wParam, lParam);
  }
};

TEST(WindowBinding, AnObjectDeletedInsideItsOwnHandlerIsNotTouchedAfterwards) {
  auto window = std::make_unique<SelfDeleting>();
  ASSERT_TRUE(window->Open(100, 100));
  window->owner = &window;
  const HWND handle = window->hwnd();
  EXPECT_EQ(::SendMessageW(handle, WM_APP, 0, 0), 5);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(::IsWindow(handle));
}

class TimerWindow : public HostWindow {
 public:
  int oneShot = 0;
  int repeating = 0;

 protected:
  void OnTimer(UINT_PTR id) override { ++(id == 1 ? oneShot : repeating); }
};

TEST(WindowTimers, AOneShotTimerFiresOnceAndARepeatingOneUntilKilled) {
  TimerWindow window;
  ASSERT_TRUE(window.Open(100, 100));
  ASSERT_TRUE(window.SetOneShotTimer(1, 10));
  ASSERT_TRUE(window.SetTimer(2, 10));
  ASSERT_TRUE(ui_support::PumpUntil([&] { return window.repeating >= 4; }, 5000));
  EXPECT_EQ(window.oneShot, 1);
  window.KillTimer(2);
  const int stoppedAt = window.repeating;
  ui_support::PumpMessagesFor(100);
  EXPECT_EQ(window.repeating, stoppedAt);
}

}  // namespace

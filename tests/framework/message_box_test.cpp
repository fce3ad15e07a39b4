// Message boxes shown by a worker thread with a window of the UI thread as owner, and by the
// UI thread itself, answered by the test watcher.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/message_box.h"
#include "test_host.h"
#include "tests/ui_support/message_box_watcher.h"
#include "tests/ui_support/message_pump.h"

namespace {

TEST(MessageBoxes, AWorkerThreadsBoxOwnedByTheFrameNeitherBlocksNorDeadlocks) {
  fw_test::HostWindow frame;
  ASSERT_TRUE(frame.Open(300, 200));
  ui_support::MessageBoxWatcher watcher;

  std::atomic<int> result{-1};
  std::atomic<bool> ownerDisabledMeanwhile{false};
  std::thread worker([&] {
    result = fw::ShowMessageBox(frame.hwnd(), L"通讯错误!", L"Pulsora Pro", MB_OK | MB_ICONERROR);
  });
  // The UI thread keeps handling messages, as the frame's close wait does.
  const bool answered = ui_support::PumpUntil(
      [&] {
        if (!::IsWindowEnabled(frame.hwnd())) ownerDisabledMeanwhile = true;
        return result.load() != -1;
      },
      10000);
  worker.join();
  ASSERT_TRUE(answered);
  EXPECT_EQ(result.load(), IDOK);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, L"通讯错误!");
  EXPECT_EQ(watcher.Seen()[0].caption, L"Pulsora Pro");
  EXPECT_TRUE(ownerDisabledMeanwhile.load()) << "the box was modal to the frame";
  EXPECT_TRUE(::IsWindowEnabled(frame.hwnd()));
}

TEST(MessageBoxes, BoxesOfTheUiThreadAreAnsweredWithTheChosenButton) {
  fw_test::HostWindow frame;
  ASSERT_TRUE(frame.Open(300, 200));
  {
    ui_support::MessageBoxWatcher watcher;
    EXPECT_EQ(fw::ShowMessageBox(frame.hwnd(), L"没有数据!", L"Pulsora Pro"), IDOK);
    EXPECT_EQ(watcher.Seen().size(), 1u);
  }
  ui_support::MessageBoxWatcher sayNo(IDNO);
  EXPECT_EQ(fw::ShowMessageBox(frame.hwnd(), L"Delete?", L"Pulsora Pro", MB_YESNO), IDNO);
  EXPECT_EQ(fw::ShowMessageBox(frame.hwnd(), L"Only OK here", L"Pulsora Pro", MB_OK), IDOK)
      << "a box without the chosen button gets OK";
}

TEST(MessageBoxes, AnOwnerThatIsGoneNoLongerOwnsTheBox) {
  HWND gone = nullptr;
  {
    fw_test::HostWindow frame;
    ASSERT_TRUE(frame.Open(100, 100));
    gone = frame.hwnd();
  }
  ui_support::MessageBoxWatcher watcher;
  EXPECT_EQ(fw::ShowMessageBox(gone, L"late", L"Pulsora Pro"), IDOK);
}

}  // namespace

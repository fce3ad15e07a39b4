#pragma once
// Answers the message boxes this process shows while a test runs, from a thread of its own,
// so a box shown by the test thread itself or by a worker thread never blocks the test. Each
// box's caption and text are recorded before it is answered.
//
//   ui_support::MessageBoxWatcher watcher;          // presses OK
//   StartDownloadWithoutDevice();
//   ASSERT_TRUE(watcher.WaitForCount(1));
//   EXPECT_EQ(watcher.Seen()[0].text, L"没有设备,无法获取数据!");
#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace ui_support {

struct SeenMessageBox {
  std::wstring caption;
  std::wstring text;
  int defaultButton = 0;  // IDOK, IDYES, IDNO ...; 0 when none is
};

// Visible top-level dialogs (#32770) of this process, in z order.
std::vector<HWND> ProcessDialogs();
// True for a dialog made by MessageBox: static texts or icons and its standard buttons only.
bool LooksLikeMessageBox(HWND dialog);

class MessageBoxWatcher {
 public:
  // `answer` is the button to press (IDOK, IDYES, ...); a box without it gets IDOK or IDCANCEL.
  explicit MessageBoxWatcher(int answer = IDOK);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  std::vector<SeenMessageBox> Seen() const;
  // Pumps the calling thread's messages until `count` boxes were answered.
  bool WaitForCount(std::size_t count, DWORD timeoutMs = 5000) const;

 private:
  void Watch();
  void Answer(HWND box);

  const int answer_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<SeenMessageBox> seen_;
  std::set<HWND> answered_;
  std::thread thread_;
};

}  // namespace ui_support

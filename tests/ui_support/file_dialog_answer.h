#pragma once
// Answers a file dialog of this process from a thread of its own, as a user would: waits for
// the dialog with the given title, types a name into it and presses a button.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace ui_support {

class FileDialogAnswer {
 public:
  // `before`, when given, runs on the answering thread once the dialog is up and must return
  // before the answer is typed (for a test that makes something happen meanwhile).
  FileDialogAnswer(std::wstring title, std::wstring name, int button,
                   std::function<void()> before = {});
  ~FileDialogAnswer();
  FileDialogAnswer(const FileDialogAnswer&) = delete;
  FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

  // Waits for the thread; true when it found the dialog and pressed the button.
  bool Answered();

 private:
  void Run(const std::wstring& title, const std::wstring& name, int button,
           const std::function<void()>& before);
  bool Answer(HWND dialog, const std::wstring& name, int button,
              std::chrono::steady_clock::time_point deadline);

  std::atomic<bool> answered_{false};
  std::thread thread_;
};

}  // namespace ui_support

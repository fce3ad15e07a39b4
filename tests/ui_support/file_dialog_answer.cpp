#include "tests/ui_support/file_dialog_answer.h"

#include "tests/ui_support/message_box_watcher.h"

namespace ui_support {

FileDialogAnswer::FileDialogAnswer(std::wstring title, std::wstring name, int button,
                                   std::function<void()> before)
    : thread_([this, title = std::move(title), name = std::move(name), button,
               before = std::move(before)] { Run(title, name, button, before); }) {}

FileDialogAnswer::~FileDialogAnswer() {
  if (thread_.joinable()) thread_.join();
}

bool FileDialogAnswer::Answered() {
  if (thread_.joinable()) thread_.join();
  return answered_;
}

void FileDialogAnswer::Run(const std::wstring& title, const std::wstring& name, int button,
                           const std::function<void()>& before) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    for (HWND dialog : ProcessDialogs()) {
      wchar_t caption[128] = {};
      ::GetWindowTextW(dialog, caption, 128);
      if (title != caption) continue;
      if (before) before();
      Answer(dialog, name, button, deadline);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// The dialog is ready once its name field takes the text and its button is enabled; until
// then the text is set again, up to the deadline.
bool FileDialogAnswer::Answer(HWND dialog, const std::wstring& name, int button,
                              std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    // The name field is a combo box (cmb13) or an edit (edt1).
    HWND field = ::GetDlgItem(dialog, 0x47C);
    if (field == nullptr) field = ::GetDlgItem(dialog, 0x480);
    HWND pressed = ::GetDlgItem(dialog, button);
    if (field != nullptr && pressed != nullptr && ::IsWindowEnabled(pressed)) {
      ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      wchar_t typed[MAX_PATH] = {};
      ::GetWindowTextW(field, typed, MAX_PATH);
      if (name == typed) {
        answered_ = true;
        // Posted: it queues behind whatever the dialog's thread was posted before.
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(pressed));
        return true;
      }
    }
    if (!::IsWindow(dialog) || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace ui_support

#include "tests/ui_support/message_box_watcher.h"

#include <chrono>

#include "tests/ui_support/message_pump.h"

namespace ui_support {
namespace {

constexpr UINT kReadTimeoutMs = 500;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

// WM_GETTEXT with a timeout: the box's thread is busy in its modal loop, but never hang on it.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                             &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kReadTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

}  // namespace

std::vector<HWND> ProcessDialogs() {
  std::vector<HWND> dialogs;
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
            ClassOf(window) == L"#32770") {
          reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

bool LooksLikeMessageBox(HWND dialog) {
  bool hasText = false;
  for (HWND child : ChildrenOf(dialog)) {
    const std::wstring kind = ClassOf(child);
    if (kind == L"Button") {
      const int id = ::GetDlgCtrlID(child);
      if (id < IDOK || id > IDCONTINUE) return false;
    } else if (kind == L"Static") {
      const LONG_PTR type = ::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK;
      if (type != SS_ICON && !TextOf(child).empty()) hasText = true;
    } else {
      return false;
    }
  }
  return hasText;
}

MessageBoxWatcher::MessageBoxWatcher(int answer) : answer_(answer), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

bool MessageBoxWatcher::WaitForCount(std::size_t count, DWORD timeoutMs) const {
  return PumpUntil([this, count] { return Seen().size() >= count; }, timeoutMs);
}

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    {
      // Handles are reused once a box is gone; forget the closed ones.
      std::lock_guard lock(mutex_);
      std::erase_if(answered_, [](HWND box) { return !::IsWindow(box); });
    }
    for (HWND dialog : ProcessDialogs()) {
      if (LooksLikeMessageBox(dialog)) Answer(dialog);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
}

void MessageBoxWatcher::Answer(HWND box) {
  {
    std::lock_guard lock(mutex_);
    if (answered_.count(box) != 0) return;
  }
  SeenMessageBox seen{TextOf(box), {}};
  for (HWND child : ChildrenOf(box)) {
    if (ClassOf(child) != L"Static") continue;
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    seen.text = TextOf(child);
    if (!seen.text.empty()) break;
  }
  for (HWND child : ChildrenOf(box)) {
    if (ClassOf(child) == L"Button" &&
        (::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      seen.defaultButton = ::GetDlgCtrlID(child);
    }
  }
  int button = answer_;
  if (::GetDlgItem(box, button) == nullptr)
    button = ::GetDlgItem(box, IDOK) != nullptr ? IDOK : IDCANCEL;
  {
    std::lock_guard lock(mutex_);
    answered_.insert(box);
    seen_.push_back(std::move(seen));
  }
  // Posted, so the watcher never waits on the box's thread.
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
}

}  // namespace ui_support

#include "framework/message_loop.h"

#include <algorithm>

#include "framework/window.h"

namespace fw {
namespace {

bool PreTranslate(MSG& message) {
  if (message.hwnd == nullptr) return false;
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  Window* top = Window::FromHandle(root != nullptr ? root : message.hwnd);
  return top != nullptr && top->PreTranslateMessage(message);
}

}  // namespace

void ProcessMessage(MSG& message) {
  if (PreTranslate(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return -1;
    if (got == 0) return static_cast<int>(message.wParam);
    ProcessMessage(message);
  }
}

bool RunMessageLoopUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return done();
      }
      ProcessMessage(message);
      if (done()) return true;
    }
    if (done()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    // Wake for new messages, or at least every 10 ms for conditions set by other threads.
    const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
    ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace fw

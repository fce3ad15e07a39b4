#include "framework/message_box.h"

#include "framework/modal_loop.h"

namespace fw {
namespace {

// The box being opened on this thread and its owner: a CBT hook has no context of its own.
thread_local HWND boxOwner = nullptr;
thread_local HHOOK boxHook = nullptr;

LRESULT CALLBACK CentreBox(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = boxHook;
  if (code == HCBT_ACTIVATE) {
    CentreOverOwner(reinterpret_cast<HWND>(wParam), boxOwner);
    ::UnhookWindowsHookEx(hook);  // only the box itself
    boxHook = nullptr;
    return 0;
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  // A window that is gone by now (the frame closing) would make the box ownerless anyway.
  if (owner != nullptr && !::IsWindow(owner)) owner = nullptr;
  ModalLoop loop;
  if (owner != nullptr && boxHook == nullptr) {
    boxOwner = owner;
    boxHook = ::SetWindowsHookExW(WH_CBT, &CentreBox, nullptr, ::GetCurrentThreadId());
  }
  const int result = ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
  if (boxHook != nullptr) {  // the box never came up
    ::UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
  }
  return result;
}

}  // namespace fw

#include "dialog_host.h"

#include <commctrl.h>

namespace wd::test {
namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

const wchar_t* HostClass() {
  static const wchar_t* name = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW host{};
    host.lpfnWndProc = DefWindowProcW;
    host.hInstance = GetModuleHandleW(nullptr);
    // The views' background; the class keeps the brush for the life of the process.
    host.hbrBackground = CreateSolidBrush(RGB(180, 200, 255));
    host.lpszClassName = L"wdResourceTestHost";
    RegisterClassW(&host);
    return host.lpszClassName;
  }();
  return name;
}

}  // namespace

HostWindow::HostWindow(bool visible) {
  // A popup is not clamped to the screen, so the widest form keeps its full size.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, HostClass(), L"host", WS_POPUP | WS_CLIPCHILDREN, 0,
                            0, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ && visible) ShowWindow(window_, SW_SHOWNOACTIVATE);
}

HostWindow::~HostWindow() {
  if (window_) DestroyWindow(window_);
}

HostedDialog::HostedDialog(HMODULE module, int templateId, const HostWindow& host) {
  if (!host.get()) return;
  dialog_ =
      CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), host.get(), PassiveDialogProc, 0);
  if (!dialog_) return;
  const bool visible = IsWindowVisible(host.get()) != FALSE;
  if (GetWindowLongW(dialog_, GWL_STYLE) & WS_CHILD) {
    RECT rect{};
    GetWindowRect(dialog_, &rect);
    SetWindowPos(host.get(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(dialog_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (visible) {
    ShowWindow(dialog_, SW_SHOWNOACTIVATE);
    PumpMessages();
  }
}

HostedDialog::~HostedDialog() {
  if (dialog_) DestroyWindow(dialog_);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace wd::test

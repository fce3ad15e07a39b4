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
    host.hbrBackground = CreateSolidBrush(RGB(180, 200, 255));  // the views' background
    host.lpszClassName = L"wdResourceTestHost";
    RegisterClassW(&host);
    return host.lpszClassName;
  }();
  return name;
}

}  // namespace

HostedDialog::HostedDialog(HMODULE module, int templateId, bool visible) {
  host_ = CreateWindowExW(0, HostClass(), L"host", WS_OVERLAPPED | WS_CLIPCHILDREN, 0, 0, 200,
                          200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!host_) return;
  dialog_ = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), host_, PassiveDialogProc, 0);
  if (!dialog_) return;
  RECT rect{};
  GetWindowRect(dialog_, &rect);
  const bool child = (GetWindowLongW(dialog_, GWL_STYLE) & WS_CHILD) != 0;
  if (child) {
    // Fit the host's client area to the form, as the main frame gives a view its pane.
    RECT frame{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    AdjustWindowRectEx(&frame, WS_OVERLAPPED, FALSE, 0);
    SetWindowPos(host_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(dialog_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (visible) {
    if (child) ShowWindow(host_, SW_SHOWNOACTIVATE);
    ShowWindow(dialog_, SW_SHOWNOACTIVATE);
    SetWindowPos(child ? host_ : dialog_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages();
  }
}

HostedDialog::~HostedDialog() {
  if (dialog_) DestroyWindow(dialog_);
  if (host_) DestroyWindow(host_);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace wd::test

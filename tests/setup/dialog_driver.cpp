#include "dialog_driver.h"

#include <thread>
#include <vector>

namespace {

struct DialogSearch {
  HWND except;
  HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (window == search->except || !IsWindowVisible(window) || std::wstring(className) != L"#32770")
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND WaitForDialog(DWORD thread, HWND except, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    DialogSearch search{except};
    EnumThreadWindows(thread, MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  } while (GetTickCount64() < deadline);
  return nullptr;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (IsWindow(window)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

INT_PTR RunDriven(const std::function<INT_PTR()>& runDialog,
                  const std::function<void(HWND dialog)>& drive) {
  const DWORD uiThread = GetCurrentThreadId();
  std::thread helper([&] {
    HWND dialog = WaitForDialog(uiThread, nullptr, 10000);
    if (dialog == nullptr) {
      PostThreadMessageW(uiThread, WM_QUIT, 0, 0);  // ends the modal loop
      return;
    }
    drive(dialog);
    if (!WaitUntilClosed(dialog, 5000)) {
      Press(dialog, IDCANCEL);
      if (!WaitUntilClosed(dialog, 5000)) PostThreadMessageW(uiThread, WM_QUIT, 0, 0);
    }
  });
  const INT_PTR result = runDialog();
  helper.join();
  return result;
}

ListView ReadList(HWND list) {
  ListView view;
  const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(buffer.data()));
    view.entries.emplace_back(buffer.data());
  }
  view.selected = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  return view;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

void Press(HWND dialog, int commandId) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

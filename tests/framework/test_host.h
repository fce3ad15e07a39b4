// Small windows the framework tests build on: a top-level host and a recording form view.
#pragma once
#include <windows.h>

#include <string>

#include "framework/form_view.h"
#include "framework/window.h"
#include "framework/window_class.h"

namespace fw_test {

// A plain top-level window of a private class, shown at a fixed place.
class HostWindow : public fw::Window {
 public:
  bool Open(int width, int height, const wchar_t* title = L"framework test", DWORD extraStyle = 0) {
    fw::ClassLook look;
    look.cursor = ::LoadCursorW(nullptr, IDC_ARROW);
    look.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    const std::wstring className = fw::RegisterPrivateClass(look);
    fw::WindowSpec windowSpec;
    windowSpec.className = className.c_str();
    windowSpec.title = title;
    windowSpec.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE | extraStyle;
    windowSpec.rect = RECT{20, 20, 20 + width, 20 + height};
    return Create(windowSpec);
  }
};

// Client size of a window as a SIZE.
inline SIZE ClientSizeOf(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

// A child's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A queued message as GetMessage would hand it over.
inline MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG queued{};
  queued.hwnd = window;
  queued.message = message;
  queued.wParam = wParam;
  queued.lParam = lParam;
  queued.time = ::GetMessageTime();
  return queued;
}

}  // namespace fw_test

#include "framework/frame_window.h"

#include <algorithm>

namespace fw {

bool FrameWindow::CreateFrame(const std::wstring& title, DWORD style, DWORD exStyle,
                              const RECT& rect, const ClassLook& look) {
  const std::wstring className = RegisterPrivateClass(look);
  if (className.empty()) return false;
  WindowSpec windowSpec;
  windowSpec.className = className.c_str();
  windowSpec.title = title.c_str();
  windowSpec.style = style | WS_CLIPCHILDREN;
  windowSpec.exStyle = exStyle;
  windowSpec.rect = rect;
  return Create(windowSpec);
}

void FrameWindow::SetCurrentView(Window* view) {
  view_ = view;
  RecalcLayout();
}

int FrameWindow::BarHeight(const FrameBar* bar, int width) const {
  if (bar == nullptr || bar->BarWindow() == nullptr || !::IsWindowVisible(bar->BarWindow()))
    return 0;
  return std::max(0, bar->BarHeight(width));
}

RECT FrameWindow::PaneRect() const {
  RECT pane = ClientRect();
  const int width = pane.right - pane.left;
  pane.top += BarHeight(top_, width);
  pane.bottom -= BarHeight(bottom_, width);
  if (pane.bottom < pane.top) pane.bottom = pane.top;
  return pane;
}

void FrameWindow::RecalcLayout() {
  if (hwnd() == nullptr) return;
  const RECT client = ClientRect();
  const int width = client.right - client.left;
  const int topHeight = BarHeight(top_, width);
  const int bottomHeight = BarHeight(bottom_, width);
  const RECT pane = PaneRect();

  HDWP positions = ::BeginDeferWindowPos(3);
  const auto place = [&positions](HWND window, int x, int y, int w, int h) {
    if (positions != nullptr && window != nullptr) {
      positions =
          ::DeferWindowPos(positions, window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  };
  if (topHeight > 0) place(top_->BarWindow(), 0, 0, width, topHeight);
  if (bottomHeight > 0)
    place(bottom_->BarWindow(), 0, client.bottom - bottomHeight, width, bottomHeight);
  if (view_ != nullptr)
    place(view_->hwnd(), pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
}

bool FrameWindow::RouteCommand(UINT id) {
  if (view_ != nullptr && view_->hwnd() != nullptr && view_->ExecuteCommand(id)) return true;
  return ExecuteCommand(id);
}

CommandState FrameWindow::QueryCommandState(UINT id) const {
  if (view_ != nullptr && view_->hwnd() != nullptr) {
    if (auto state = view_->QueryCommand(id)) return *state;
  }
  if (auto state = QueryCommand(id)) return *state;
  return CommandState{};
}

bool FrameWindow::PreTranslateMessage(MSG& message) {
  if (message.message == WM_RBUTTONUP || message.message == WM_NCRBUTTONUP) return true;
  return view_ != nullptr && view_->hwnd() != nullptr && view_->PreTranslateMessage(message);
}

void FrameWindow::OnSize(UINT type, int width, int height) {
  Window::OnSize(type, width, height);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

void FrameWindow::OnSetFocus(HWND previous) {
  if (view_ != nullptr && view_->hwnd() != nullptr)
    ::SetFocus(view_->hwnd());
  else
    Window::OnSetFocus(previous);
}

bool FrameWindow::OnCommand(UINT id, UINT code, HWND control) {
  if (control == nullptr || code == BN_CLICKED) return RouteCommand(id);
  return false;
}

}  // namespace fw

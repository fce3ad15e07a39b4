#include "framework/ribbon/docked_bar.h"

#include <string>

#include "framework/ribbon/ui_font.h"
#include "framework/window_class.h"

namespace fw {

DockedBar::~DockedBar() { Dock(nullptr); }

bool DockedBar::Create(FrameWindow& frame, UINT id) {
  frame_ = &frame;
  const std::wstring className =
      RegisterPrivateClass(ClassLook{0, ::LoadCursorW(nullptr, IDC_ARROW)});
  if (className.empty()) return false;
  WindowSpec windowSpec;
  windowSpec.className = className.c_str();
  windowSpec.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  windowSpec.rect = RECT{0, 0, 100, 30};
  windowSpec.parent = frame.hwnd();
  windowSpec.id = id;
  if (!Window::Create(windowSpec)) return false;
  Dock(this);
  return true;
}

int DockedBar::OnCreate(const CREATESTRUCTW& create) {
  if (Window::OnCreate(create) == -1) return -1;
  font_ = CreateMessageFont();
  return 0;
}

void DockedBar::Dock(FrameBar* bar) {
  if (frame_ == nullptr) return;
  if (edge_ == Edge::Top)
    frame_->SetTopBar(bar);
  else
    frame_->SetBottomBar(bar);
}

}  // namespace fw

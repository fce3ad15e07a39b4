#include "framework/ribbon/ribbon_panel_popup.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/device_context.h"
#include "framework/ribbon/ribbon_painter.h"
#include "framework/window_class.h"

namespace fw {
namespace {

// Moves `rect` (screen) inside the work area of the monitor it is on.
RECT KeptOnMonitor(RECT rect) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) return rect;
  const RECT& work = monitor.rcWork;
  const LONG dx = std::max(work.left - rect.left, std::min<LONG>(0, work.right - rect.right));
  const LONG dy = std::max(work.top - rect.top, std::min<LONG>(0, work.bottom - rect.bottom));
  ::OffsetRect(&rect, dx, dy);
  return rect;
}

}  // namespace

RibbonPanelPopup::~RibbonPanelPopup() { Close(); }

bool RibbonPanelPopup::Open(Owner& owner, HWND ownerWindow, const RibbonPanel& panel, POINT screen,
                            HFONT font, const RibbonMetrics& metrics) {
  Close();
  owner_ = &owner;
  panel_ = &panel;
  font_ = font;
  metrics_ = metrics;
  hot_ = pressed_ = nullptr;
  closing_ = false;
  keyTips_ = false;
  const SIZE size = panel.popupSize();
  const RECT place =
      KeptOnMonitor(RECT{screen.x, screen.y, screen.x + size.cx, screen.y + size.cy});
  const std::wstring className =
      RegisterPrivateClass(ClassLook{CS_DROPSHADOW, ::LoadCursorW(nullptr, IDC_ARROW)});
  WindowSpec windowSpec;
  windowSpec.className = className.c_str();
  windowSpec.style = WS_POPUP;
  windowSpec.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  windowSpec.rect = place;
  windowSpec.parent = ::GetAncestor(ownerWindow, GA_ROOT);
  if (className.empty() || !Create(windowSpec)) return false;
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  ::SetCapture(hwnd());
  return true;
}

void RibbonPanelPopup::Close() {
  if (hwnd() == nullptr || closing_) return;
  closing_ = true;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
  Destroy();
}

void RibbonPanelPopup::ShowKeyTips(bool shown) {
  if (keyTips_ == shown) return;
  keyTips_ = shown;
  if (hwnd() != nullptr) Invalidate(false);
}

void RibbonPanelPopup::OnFinalMessage() {
  hot_ = pressed_ = nullptr;
  panel_ = nullptr;
  closing_ = false;
  if (Owner* owner = std::exchange(owner_, nullptr)) owner->PopupClosed();
}

RibbonElement* RibbonPanelPopup::ElementAt(POINT client) const {
  if (panel_ == nullptr) return nullptr;
  for (std::size_t e = 0; e < panel_->ElementCount(); ++e) {
    RibbonElement* element = panel_->Element(e);
    if (::PtInRect(&element->rect(), client)) return element;
  }
  return nullptr;
}

void RibbonPanelPopup::SetHot(RibbonElement* element) {
  if (element != nullptr && (!element->IsClickable() || !element->enabled())) element = nullptr;
  if (element == hot_) return;
  hot_ = element;
  Invalidate(false);
}

void RibbonPanelPopup::OnMouseMove(UINT, POINT point) { SetHot(ElementAt(point)); }

void RibbonPanelPopup::OnLButtonDown(UINT, POINT point) {
  const RECT client = ClientRect();
  if (!::PtInRect(&client, point)) {
    Close();  // a press anywhere else
    return;
  }
  SetHot(ElementAt(point));
  pressed_ = hot_;
  Invalidate(false);
}

void RibbonPanelPopup::OnLButtonUp(POINT point) {
  RibbonElement* pressed = std::exchange(pressed_, nullptr);
  Invalidate(false);
  if (pressed == nullptr || ElementAt(point) != pressed) return;
  Owner* owner = owner_;
  Close();
  if (owner != nullptr) owner->PopupElementClicked(*pressed);
}

LRESULT RibbonPanelPopup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP: OnLButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a switch to another program, a message box): close.
      if (reinterpret_cast<HWND>(lParam) != hwnd()) Close();
      return 0;
    case WM_CANCELMODE: Close(); return 0;
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

bool RibbonPanelPopup::OnEraseBackground(HDC) { return true; }

void RibbonPanelPopup::OnPaint() {
  PaintDc paint(hwnd());
  const RECT client = ClientRect();
  if (panel_ == nullptr || !canvas_.Resize(client.right, client.bottom, paint.get())) return;
  canvas_.FillRect(client, Gradient::Plain(RGB(243, 245, 248), RGB(223, 227, 233)));
  PaintPanel(canvas_, font_, *panel_, client, metrics_);
  for (std::size_t e = 0; e < panel_->ElementCount(); ++e) {
    const RibbonElement* element = panel_->Element(e);
    const ButtonLook look = element == pressed_ && element == hot_   ? ButtonLook::Pressed
                            : element == hot_ && pressed_ == nullptr ? ButtonLook::Hot
                                                                     : ButtonLook::Normal;
    PaintElement(canvas_, font_, *element, metrics_, look);
  }
  if (keyTips_) PaintElementKeyTips(canvas_, font_, *panel_, metrics_);
  canvas_.CopyTo(paint.get(), paint.area());
}

}  // namespace fw

// The bar's caption row: the window's title and close box, and the round application button
// that overlaps it. The row is the frame's non-client area in all but drawing.
#include "framework/ribbon/ribbon_bar.h"

namespace fw {
namespace {

constexpr UINT kCloseTrackMs = 40;

}  // namespace

bool RibbonBar::InAppButton(POINT client) const {
  const RECT button = AppButtonRect();  // round: the corners belong to the caption row
  const auto half = [](LONG a, LONG b) { return static_cast<float>(a + b) / 2.0f; };
  const float radius = half(button.right, -button.left);
  const float dx = static_cast<float>(client.x) + 0.5f - half(button.left, button.right);
  const float dy = static_cast<float>(client.y) + 0.5f - half(button.top, button.bottom);
  return dx * dx + dy * dy <= radius * radius;
}

LRESULT RibbonBar::OnNcHitTest(POINT screen) {
  POINT client = screen;
  ::ScreenToClient(hwnd(), &client);
  if (client.y >= metrics_.captionRowHeight || InAppButton(client)) return HTCLIENT;
  // The caption row belongs to the frame's non-client handling; the close box look is
  // followed here, since the frame's non-client mouse messages never reach the bar.
  if (Contains(CloseBoxRect(), client) && closeLook_ == ButtonLook::Normal) TrackCloseBox();
  return HTTRANSPARENT;
}

LRESULT RibbonBar::HitTestCaption(POINT screen) const {
  if (hwnd() == nullptr) return HTNOWHERE;
  POINT client = screen;
  ::ScreenToClient(hwnd(), &client);
  const RECT row{0, 0, ClientRect().right, metrics_.captionRowHeight};
  if (!Contains(row, client) || InAppButton(client)) return HTNOWHERE;
  return Contains(CloseBoxRect(), client) ? HTCLOSE : HTCAPTION;
}

void RibbonBar::TrackCloseBox() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(hwnd(), &cursor);
  const int primary = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  ButtonLook look = ButtonLook::Normal;
  if (Contains(CloseBoxRect(), cursor)) {
    look = (::GetAsyncKeyState(primary) & 0x8000) != 0 ? ButtonLook::Pressed : ButtonLook::Hot;
  }
  if (look != ButtonLook::Normal)
    SetTimer(kCloseTrackTimer, kCloseTrackMs);
  else
    KillTimer(kCloseTrackTimer);
  if (look == closeLook_) return;
  closeLook_ = look;
  const RECT box = CloseBoxRect();
  ::InvalidateRect(hwnd(), &box, FALSE);
}

}  // namespace fw

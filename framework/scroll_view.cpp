#include "framework/scroll_view.h"

namespace fw {

void ScrollView::SetScrollSizes(SIZE total, SIZE page, SIZE line) {
  sizes_ = MakeScrollSizes(total, page, line);
  UpdateBars();
}

SIZE ScrollView::ClientSize() const noexcept {
  const RECT client = ClientRect();
  return SIZE{client.right - client.left, client.bottom - client.top};
}

void ScrollView::ScrollToPosition(POINT position) {
  if (hwnd() == nullptr) return;
  const SIZE client = ClientSize();
  const POINT target{ClampScrollPosition(position.x, sizes_.total.cx, client.cx),
                     ClampScrollPosition(position.y, sizes_.total.cy, client.cy)};
  const int dx = position_.x - target.x;
  const int dy = position_.y - target.y;
  position_ = target;
  if (dx != 0 || dy != 0) {
    ::ScrollWindowEx(hwnd(), dx, dy, nullptr, nullptr, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  }
  ::SetScrollPos(hwnd(), SB_HORZ, position_.x, TRUE);
  ::SetScrollPos(hwnd(), SB_VERT, position_.y, TRUE);
}

void ScrollView::UpdateBars() {
  if (hwnd() == nullptr || updatingBars_) return;
  updatingBars_ = true;  // showing a bar resizes the client and re-enters through WM_SIZE

  const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  const SIZE thickness{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
  SIZE bare = ClientSize();
  if ((style & WS_VSCROLL) != 0) bare.cx += thickness.cx;
  if ((style & WS_HSCROLL) != 0) bare.cy += thickness.cy;
  const ScrollBarFit fit = FitScrollBars(sizes_.total, bare, thickness);

  const auto apply = [this](int bar, bool needed, LONG total, LONG client, LONG position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = needed ? total - 1 : 0;
    info.nPage = needed ? static_cast<UINT>(client) : 0;
    info.nPos = needed ? position : 0;
    ::SetScrollInfo(hwnd(), bar, &info, TRUE);
    ::ShowScrollBar(hwnd(), bar, needed ? TRUE : FALSE);
  };
  const POINT target{
      fit.horizontal ? ClampScrollPosition(position_.x, sizes_.total.cx, fit.client.cx) : 0,
      fit.vertical ? ClampScrollPosition(position_.y, sizes_.total.cy, fit.client.cy) : 0};
  apply(SB_HORZ, fit.horizontal, sizes_.total.cx, fit.client.cx, target.x);
  apply(SB_VERT, fit.vertical, sizes_.total.cy, fit.client.cy, target.y);
  ScrollToPosition(target);
  updatingBars_ = false;
}

void ScrollView::OnSize(UINT type, int width, int height) {
  Window::OnSize(type, width, height);
  UpdateBars();
}

void ScrollView::OnHScroll(UINT code, int position, HWND scrollBar) {
  if (scrollBar != nullptr)
    OnScrollBarControl(WM_HSCROLL, code, position, scrollBar);
  else
    ScrollContent(WM_HSCROLL, code);
}

void ScrollView::OnVScroll(UINT code, int position, HWND scrollBar) {
  if (scrollBar != nullptr)
    OnScrollBarControl(WM_VSCROLL, code, position, scrollBar);
  else
    ScrollContent(WM_VSCROLL, code);
}

void ScrollView::OnScrollBarControl(UINT, UINT, int, HWND) {}

void ScrollView::ScrollContent(UINT message, UINT code) {
  const bool horizontal = message == WM_HSCROLL;
  const int bar = horizontal ? SB_HORZ : SB_VERT;
  // The message carries only 16 bits of thumb position; the bar knows all of it.
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(hwnd(), bar, &info);
  const SIZE client = ClientSize();
  const int target = ScrollRequestTarget(
      code, horizontal ? position_.x : position_.y, info.nTrackPos,
      horizontal ? sizes_.page.cx : sizes_.page.cy, horizontal ? sizes_.line.cx : sizes_.line.cy,
      horizontal ? sizes_.total.cx : sizes_.total.cy, horizontal ? client.cx : client.cy);
  ScrollToPosition(horizontal ? POINT{target, position_.y} : POINT{position_.x, target});
}

bool ScrollView::OnMouseWheel(int delta, UINT, POINT) {
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
  const bool vertical = (style & WS_VSCROLL) != 0;
  if (!vertical && (style & WS_HSCROLL) == 0) return false;  // nothing to scroll: pass it up

  wheelRemainder_ += delta;
  const int notches = wheelRemainder_ / WHEEL_DELTA;
  wheelRemainder_ %= WHEEL_DELTA;
  if (notches == 0) return true;

  UINT lines = 3;
  ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const LONG step = lines == WHEEL_PAGESCROLL
                        ? (vertical ? sizes_.page.cy : sizes_.page.cx)
                        : static_cast<LONG>(lines) * (vertical ? sizes_.line.cy : sizes_.line.cx);
  const LONG amount = -notches * step;
  ScrollToPosition(vertical ? POINT{position_.x, position_.y + amount}
                            : POINT{position_.x + amount, position_.y});
  return true;
}

}  // namespace fw

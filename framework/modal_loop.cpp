#include "framework/modal_loop.h"

#include <algorithm>

namespace fw {

thread_local int ModalLoop::depth_ = 0;

void CentreOverOwner(HWND window, HWND owner) {
  if (owner == nullptr || !::IsWindow(owner) || ::IsIconic(owner)) return;
  RECT own{};
  RECT place{};
  if (!::GetWindowRect(::GetAncestor(owner, GA_ROOT), &own) || !::GetWindowRect(window, &place))
    return;
  const LONG width = place.right - place.left;
  const LONG height = place.bottom - place.top;
  LONG left = own.left + (own.right - own.left - width) / 2;
  LONG top = own.top + (own.bottom - own.top - height) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = std::clamp(left, work.left, std::max(work.left, work.right - width));
    top = std::clamp(top, work.top, std::max(work.top, work.bottom - height));
  }
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw

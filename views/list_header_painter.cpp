#include "views/list_header_painter.h"

#include <commctrl.h>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace wd {
namespace {

// One brush for the whole process, made on first use and kept until the process ends, like a
// stock object: every header of every list shares it.
HBRUSH HeaderBrush() {
  static const HBRUSH brush = ::CreateSolidBrush(kHeaderColour);
  return brush;
}

}  // namespace

void ListHeaderPainter::Paint() {
  const HWND header = hwnd();
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(header, WM_GETFONT, 0, 0));
  fw::Pen pen = fw::CreateSolidPen(1, RGB(255, 255, 255));
  fw::PaintDc dc(header);
  fw::SelectionGuard fontGuard(dc.get(), font);
  fw::SelectionGuard penGuard(dc.get(), pen.get());
  const int oldMode = ::SetBkMode(dc.get(), TRANSPARENT);
  ::SetTextColor(dc.get(), RGB(255, 255, 255));
  const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT rect{};
    if (!::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(&rect)))
      continue;
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    ::DrawTextW(dc.get(), text, -1, &rect,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    ::MoveToEx(dc.get(), rect.right - 1, rect.top, nullptr);
    ::LineTo(dc.get(), rect.right - 1, rect.bottom);
  }
  ::SetBkMode(dc.get(), oldMode);
}

LRESULT ListHeaderPainter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, HeaderBrush());
      return 1;
    }
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN: return 1;  // no sizing cursor, no click, no drag
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK: return 0;  // no hot tracking, no auto-size on a border
    default: return CallDefault(message, wParam, lParam);
  }
}

}  // namespace wd

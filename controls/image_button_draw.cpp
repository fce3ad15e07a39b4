// How the image button paints itself, step by step, for each paint request.
#include "controls/image_button.h"

#include "controls/icon_tools.h"
#include "framework/device_context.h"
#include "framework/gdi_objects.h"

namespace wd {
namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF previous = ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

// A one-pixel 3-D rectangle: `topLeft` on the top and left edges, `bottomRight` on the others.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
  const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  FillSolid(dc, RECT{l, t, r - 1, t + 1}, topLeft);
  FillSolid(dc, RECT{l, t, l + 1, b - 1}, topLeft);
  FillSolid(dc, RECT{r - 1, t, r, b}, bottomRight);
  FillSolid(dc, RECT{l, b - 1, r, b}, bottomRight);
}

// A polyline of two segments; like every GDI line it leaves out its end point.
void Polyline(HDC dc, int colourIndex, POINT from, POINT corner, POINT to) {
  fw::Pen pen = fw::CreateSolidPen(1, ::GetSysColor(colourIndex));
  fw::SelectionGuard select(dc, pen.get());
  ::MoveToEx(dc, from.x, from.y, nullptr);
  ::LineTo(dc, corner.x, corner.y);
  ::LineTo(dc, to.x, to.y);
}

}  // namespace

void CButtonST::DrawButton(const DRAWITEMSTRUCT& item) {
  m_bDown = (item.itemState & ODS_SELECTED) != 0;
  m_bHasFocus = (item.itemState & ODS_FOCUS) != 0;
  m_bGrayed = (item.itemState & ODS_DISABLED) != 0;

  const HDC dc = item.hDC;
  const int savedDc = ::SaveDC(dc);
  ::SetBkMode(dc, TRANSPARENT);
  if (const auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0))) {
    ::SelectObject(dc, font);
  }

  RECT rect = item.rcItem;
  if (!m_bFlat && (m_bHasFocus || m_bDefaultButton)) {
    ::FrameRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::InflateRect(&rect, -1, -1);
  }

  PaintBackground(dc, rect);

  if (m_bDown) {
    if (!m_bFlat) {
      const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
      Draw3dRect(dc, rect, shadow, shadow);
    } else if (m_bBorder) {
      PaintBorder(dc, rect);
    }
  } else if (!m_bFlat) {
    DrawRaisedEdge(dc, rect);
  } else if (m_bHover && m_bBorder) {
    PaintBorder(dc, rect);
  }

  // The caption shares the whole item with the icon, whatever frame was drawn.
  const std::wstring caption = Text();
  RECT captionArea = item.rcItem;
  if (ActiveIcon() != nullptr) captionArea = DrawIcon(dc, item.rcItem, !caption.empty());
  if (!caption.empty()) DrawCaption(dc, captionArea, caption);

  if (m_bHasFocus && (!m_bFlat || m_bFlatFocusRect)) {
    RECT focus = rect;
    ::InflateRect(&focus, -3, -3);
    ::DrawFocusRect(dc, &focus);
  }
  ::RestoreDC(dc, savedDc);
}

void CButtonST::PaintBackground(HDC dc, const RECT& rect) {
  COLORREF colour = m_clr[kNormalBackground];
  if (m_bHover || m_bDown) {
    colour = m_clr[kHoverBackground];
  } else if (m_bHasFocus) {
    colour = m_clr[kFocusBackground];
  }
  FillSolid(dc, rect, colour);
}

void CButtonST::PaintBorder(HDC dc, const RECT& rect) {
  const COLORREF light = ::GetSysColor(COLOR_BTNHILIGHT);
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (m_bDown) {
    Draw3dRect(dc, rect, shadow, light);
  } else {
    Draw3dRect(dc, rect, light, shadow);
  }
}

void CButtonST::DrawRaisedEdge(HDC dc, const RECT& rect) const {
  const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  Polyline(dc, COLOR_BTNHILIGHT, {l, b - 1}, {l, t}, {r, t});
  Polyline(dc, COLOR_3DLIGHT, {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
  Polyline(dc, COLOR_3DDKSHADOW, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
  Polyline(dc, COLOR_BTNSHADOW, {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
}

RECT CButtonST::DrawIcon(HDC dc, const RECT& item, bool hasCaption) const {
  const bool useIdle = IdleIcon() != nullptr && !m_bDown && !m_bHover;
  const IconEntry& entry = m_icon[useIdle ? kIdle : kActive];
  const LONG width = entry.size.cx;
  const LONG height = entry.size.cy;

  RECT captionArea = item;
  POINT place{item.left + (item.right - item.left - width) / 2,
              item.top + (item.bottom - item.top - height) / 2};
  if (hasCaption && m_nImageAlign == kImageLeft) {
    place.x = item.left + 3;
    captionArea.left += width + 3;
  } else if (hasCaption) {
    place.y = item.top + 3;
    captionArea.top += height + 3;
  }
  if (m_bDown) {
    ++place.x;
    ++place.y;
  }

  // DI_NORMAL draws a 32-bit icon with its alpha and any other icon through its mask. A
  // disabled button shows a grey copy, which keeps both.
  fw::Icon grey;
  HICON shown = entry.handle.get();
  if (m_bGrayed) {
    grey = MakeGreyIcon(shown);
    if (grey) shown = grey.get();
  }
  ::DrawIconEx(dc, place.x, place.y, shown, width, height, 0, nullptr, DI_NORMAL);
  return captionArea;
}

void CButtonST::DrawCaption(HDC dc, RECT area, const std::wstring& caption) const {
  if (m_bDown) ::OffsetRect(&area, 1, 1);

  RECT text = area;
  const int length = static_cast<int>(caption.size());
  ::DrawTextW(dc, caption.c_str(), length, &text, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
  ::OffsetRect(&text, ((area.right - area.left) - (text.right - text.left)) / 2,
               ((area.bottom - area.top) - (text.bottom - text.top)) / 2);

  if (m_bGrayed) {
    RECT raised = text;
    ::OffsetRect(&raised, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
    ::DrawTextW(dc, caption.c_str(), length, &raised, DT_WORDBREAK | DT_CENTER);
    ::SetTextColor(dc, ::GetSysColor(COLOR_3DSHADOW));
  } else {
    ::SetTextColor(dc, (m_bHover || m_bDown) ? m_clr[kHoverText] : m_clr[kNormalText]);
  }
  ::DrawTextW(dc, caption.c_str(), length, &text, DT_WORDBREAK | DT_CENTER);
}

}  // namespace wd

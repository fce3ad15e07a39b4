#pragma once
// Creation helpers for the owning GDI wrappers of handles.h.
#include <windows.h>

#include "framework/handles.h"

namespace fw {

Pen CreateSolidPen(int width, COLORREF colour);
Brush CreateSolidBrush(COLORREF colour);

// Logical height of a font of `tenths` tenths of a point on a device of `logPixelsY` dots per
// inch, negative to ask for the character height (not the cell height), truncated like the
// classic point-font helper: 15 pt at 96 DPI is -20, at 120 DPI -25.
int PointFontHeight(int tenths, int logPixelsY);

// A font of `tenths` tenths of a point in `face`, sized for `dc` (the screen when null).
Font CreatePointFont(int tenths, const wchar_t* face, HDC dc = nullptr);

// A top-down 32-bit DIB section whose pixels the caller may write directly (BGRA order).
struct DibSection {
  Bitmap bitmap;
  void* bits = nullptr;
  int width = 0;
  int height = 0;
};
DibSection CreateDibSection32(int width, int height);

}  // namespace fw

#include "framework/gdi_objects.h"

#include <cwchar>

#include "framework/device_context.h"

namespace fw {

Pen CreateSolidPen(int width, COLORREF colour) { return Pen(::CreatePen(PS_SOLID, width, colour)); }

Brush CreateSolidBrush(COLORREF colour) { return Brush(::CreateSolidBrush(colour)); }

int PointFontHeight(int tenths, int logPixelsY) {
  const long long height = static_cast<long long>(logPixelsY) * tenths / 720;
  return -static_cast<int>(height < 0 ? -height : height);
}

Font CreatePointFont(int tenths, const wchar_t* face, HDC dc) {
  WindowDc screen;
  if (dc == nullptr) screen = WindowDc(nullptr);
  const HDC target = dc != nullptr ? dc : screen.get();
  if (target == nullptr) return Font();

  // Through the mapping mode, as for any device: the size is device pixels converted back.
  POINT size{0, -PointFontHeight(tenths, ::GetDeviceCaps(target, LOGPIXELSY))};
  POINT origin{0, 0};
  ::DPtoLP(target, &size, 1);
  ::DPtoLP(target, &origin, 1);

  LOGFONTW font{};
  const long height = size.y - origin.y;
  font.lfHeight = height < 0 ? height : -height;
  font.lfCharSet = DEFAULT_CHARSET;
  if (face != nullptr) ::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return Font(::CreateFontIndirectW(&font));
}

DibSection CreateDibSection32(int width, int height) {
  DibSection dib;
  if (width <= 0 || height <= 0) return dib;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib.bitmap = Bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.bitmap) return dib;
  dib.bits = bits;
  dib.width = width;
  dib.height = height;
  return dib;
}

}  // namespace fw

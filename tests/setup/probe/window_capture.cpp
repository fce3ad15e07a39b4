#include "window_capture.h"

#include <span>

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "tests/ui_support/png_writer.h"

namespace {

// A window not painted yet reads back as one colour.
bool IsBlank(std::span<const std::uint32_t> pixels) {
  for (std::uint32_t pixel : pixels) {
    if ((pixel & 0xFFFFFF) != (pixels.front() & 0xFFFFFF)) return false;
  }
  return true;
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT windowArea{};
  if (!GetWindowRect(window, &windowArea)) return false;
  // A maximised window reaches past the screen's edges, where there is nothing to copy.
  const RECT screenArea{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT area{};
  if (!IntersectRect(&area, &windowArea, &screenArea)) return false;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;

  const fw::WindowDc screen(nullptr);
  const fw::MemoryDc memory(screen.get());
  fw::DibSection picture = fw::CreateDibSection32(width, height);
  if (!screen || !memory || !picture.bitmap) return false;
  {
    const fw::SelectionGuard select(memory.get(), picture.bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY))
      return false;
  }
  GdiFlush();
  const std::span<const std::uint32_t> pixels(static_cast<const std::uint32_t*>(picture.bits),
                                              static_cast<std::size_t>(width) * height);
  return !IsBlank(pixels) && ui_support::WritePngFile(path, width, height, pixels);
}

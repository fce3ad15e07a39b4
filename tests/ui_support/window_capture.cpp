#include "tests/ui_support/window_capture.h"

#include "framework/device_context.h"
#include "framework/gdi_objects.h"
#include "tests/ui_support/png_writer.h"

namespace ui_support {

COLORREF WindowImage::At(int x, int y) const {
  const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::optional<WindowImage> CaptureWindow(HWND window, bool wholeWindow) {
  if (window == nullptr || !::IsWindow(window)) return std::nullopt;
  RECT area{};
  if (wholeWindow) {
    ::GetWindowRect(window, &area);
    ::OffsetRect(&area, -area.left, -area.top);
  } else {
    ::GetClientRect(window, &area);
  }
  const int width = area.right;
  const int height = area.bottom;
  if (width <= 0 || height <= 0) return std::nullopt;

  // Paint whatever is pending first, so the capture shows the current state.
  ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const HDC source = wholeWindow ? ::GetWindowDC(window) : ::GetDC(window);
  if (source == nullptr) return std::nullopt;
  fw::DibSection dib = fw::CreateDibSection32(width, height);
  fw::MemoryDc memory(source);
  bool copied = false;
  if (dib.bitmap && memory) {
    fw::SelectionGuard select(memory.get(), dib.bitmap.get());
    copied =
        ::BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
    ::GdiFlush();
  }
  ::ReleaseDC(window, source);
  if (!copied) return std::nullopt;

  WindowImage image;
  image.width = width;
  image.height = height;
  const auto* bits = static_cast<const std::uint32_t*>(dib.bits);
  image.pixels.assign(bits, bits + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFFu;
  return image;
}

bool CaptureWindowToPng(HWND window, const std::wstring& path, bool wholeWindow) {
  const auto image = CaptureWindow(window, wholeWindow);
  return image && WritePngFile(path, image->width, image->height, image->pixels);
}

std::optional<COLORREF> ReadWindowPixel(HWND window, int x, int y) {
  const auto image = CaptureWindow(window);
  if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) return std::nullopt;
  return image->At(x, y);
}

}  // namespace ui_support

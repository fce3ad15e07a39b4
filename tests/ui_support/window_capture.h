#pragma once
// Screenshots of windows for UI tests: what the window shows on screen, read back with BitBlt
// from its DC (under Wine every top-level window paints into a surface of its own, so even a
// covered window is captured as drawn).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui_support {

struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  COLORREF At(int x, int y) const;
};

// The client area (default) or the whole window including its frame.
std::optional<WindowImage> CaptureWindow(HWND window, bool wholeWindow = false);
bool CaptureWindowToPng(HWND window, const std::wstring& path, bool wholeWindow = false);

// The colour at client coordinates (x, y); nothing when the point is outside or unreadable.
std::optional<COLORREF> ReadWindowPixel(HWND window, int x, int y);

}  // namespace ui_support

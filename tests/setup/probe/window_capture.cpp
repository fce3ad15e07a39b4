#include "window_capture.h"

#include <vector>

namespace {

struct ScreenDc {
  HDC dc = GetDC(nullptr);
  ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
  HDC dc;
  explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() { DeleteDC(dc); }
};
struct Bitmap {
  HBITMAP bitmap;
  explicit Bitmap(HBITMAP b) : bitmap(b) {}
  ~Bitmap() { DeleteObject(bitmap); }
};

// A window not painted yet reads back as one colour.
bool IsBlank(const void* bits, DWORD size) {
  const auto* bytes = static_cast<const unsigned char*>(bits);
  for (DWORD i = 3; i < size; ++i)
    if (bytes[i] != bytes[i % 3]) return false;
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

  ScreenDc screen;
  MemoryDc memory(screen.dc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  void* bits = nullptr;
  Bitmap picture(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (picture.bitmap == nullptr) return false;
  HGDIOBJ previous = SelectObject(memory.dc, picture.bitmap);
  const BOOL copied =
      BitBlt(memory.dc, 0, 0, width, height, screen.dc, area.left, area.top, SRCCOPY);
  SelectObject(memory.dc, previous);
  if (!copied) return false;
  GdiFlush();
  if (IsBlank(bits, stride * static_cast<DWORD>(height))) return false;

  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageSize;
  info.bmiHeader.biSizeImage = imageSize;

  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
            WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr) &&
            WriteFile(out, bits, imageSize, &written, nullptr);
  ok = CloseHandle(out) && ok;
  return ok;
}

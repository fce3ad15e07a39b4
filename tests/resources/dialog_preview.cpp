// Shows every dialog template of both languages as the program creates it and saves a
// screenshot of each as <exe folder>\..\screens\resources\<id>_<language>.png, then quits.
// Run under a display (Xvfb); exits non-zero when a dialog cannot be created or captured.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_host.h"
#include "tests/ui_support/png_writer.h"
#include "resource.h"
#include "resource_modules.h"

namespace wd::test {
namespace {

struct DcReleaser {
  HWND window;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
  void operator()(HBITMAP object) const { DeleteObject(object); }
};

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  for (int i = 0; i < 3; ++i) {
    PumpMessages();
    Sleep(30);
  }
}

// The window's client area as painted; empty when it cannot be read. Only what is on screen can
// be read, so a window larger than the screen is slid under it and read tile by tile. Without a
// window manager Xvfb shows no caption, so the frame is left out.
std::vector<std::uint32_t> Capture(HWND window, int width, int height) {
  std::unique_ptr<HDC__, DcReleaser> source(GetDC(window), DcReleaser{window});
  std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(source.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  std::unique_ptr<HBITMAP__, ObjectDeleter> bitmap(
      CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!source || !memory || !bitmap) return {};
  HWND root = GetAncestor(window, GA_ROOT);
  RECT home{};
  GetWindowRect(root, &home);
  POINT client{0, 0};
  ClientToScreen(window, &client);
  const int tileWidth = GetSystemMetrics(SM_CXSCREEN) - client.x;
  const int tileHeight = GetSystemMetrics(SM_CYSCREEN) - client.y;
  HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  bool copied = tileWidth > 0 && tileHeight > 0;
  for (int y = 0; copied && y < height; y += tileHeight) {
    for (int x = 0; copied && x < width; x += tileWidth) {
      SetWindowPos(root, nullptr, home.left - x, home.top - y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Repaint(root);
      copied = BitBlt(memory.get(), x, y, std::min(tileWidth, width - x),
                      std::min(tileHeight, height - y), source.get(), x, y, SRCCOPY) != FALSE;
    }
  }
  SetWindowPos(root, nullptr, home.left, home.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SelectObject(memory.get(), old);
  if (!copied) return {};
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
  for (auto& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

bool IsBlank(const std::vector<std::uint32_t>& pixels) {
  for (auto pixel : pixels) {
    if (pixel != pixels.front()) return false;
  }
  return true;
}

// Every visible control with a text must show more than one colour where it stands: a control
// that was not painted (or painted over) is one flat area. Returns the first that is not.
std::optional<int> FirstUnpaintedControl(HWND dialog, const std::vector<std::uint32_t>& pixels,
                                         int width, int height) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || GetWindowTextLengthW(child) == 0) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    bool varied = false;
    const std::uint32_t first =
        pixels[static_cast<size_t>(std::clamp<LONG>(rect.top, 0, height - 1)) * width +
               std::clamp<LONG>(rect.left, 0, width - 1)];
    for (LONG y = std::max<LONG>(rect.top, 0); !varied && y < std::min<LONG>(rect.bottom, height);
         ++y) {
      for (LONG x = std::max<LONG>(rect.left, 0); !varied && x < std::min<LONG>(rect.right, width);
           ++x) {
        varied = pixels[static_cast<size_t>(y) * width + x] != first;
      }
    }
    if (!varied) return GetDlgCtrlID(child);
  }
  return std::nullopt;
}

std::wstring OutputFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size())));
  folder.erase(folder.find_last_of(L"\\/") + 1);
  folder += L"..\\screens";
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\resources";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// Fills what the views fill at start, so the picture shows the controls in use.
void FillSampleContent(HWND dialog, HMODULE module) {
  HWND sex = GetDlgItem(dialog, IDC_SEX);
  if (sex) {
    SendMessageW(sex, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(LoadText(module, IDS_SEX_MALE).c_str()));
    SendMessageW(sex, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(LoadText(module, IDS_SEX_FEMALE).c_str()));
    SendMessageW(sex, CB_SETCURSEL, 0, 0);
  }
  SetDlgItemTextW(dialog, IDC_PATIENT_ID, L"110101199003071234");
  SetDlgItemTextW(dialog, IDC_START_DATE, L"2019-6-24");
  SetDlgItemTextW(dialog, IDC_START_TIME, L"09:05");
  SetDlgItemTextW(dialog, IDC_END_DATE, L"2019-6-24");
  SetDlgItemTextW(dialog, IDC_END_TIME, L"17:42");
}

bool SavePreview(const Language& language, const char* suffix, int id, const HostWindow& stage,
                 const std::wstring& folder) {
  HostedDialog hosted(language.module, id, stage);
  if (!hosted.get()) {
    std::fprintf(stderr, "%s dialog %d: cannot be created\n", language.name, id);
    return false;
  }
  FillSampleContent(hosted.get(), language.module);
  RECT rect{};
  GetClientRect(hosted.get(), &rect);
  const int width = rect.right;
  const int height = rect.bottom;
  const auto pixels = Capture(hosted.get(), width, height);
  if (pixels.empty() || IsBlank(pixels)) {
    std::fprintf(stderr, "%s dialog %d: nothing was captured\n", language.name, id);
    return false;
  }
  if (const auto control = FirstUnpaintedControl(hosted.get(), pixels, width, height)) {
    std::fprintf(stderr, "%s dialog %d: control %d shows nothing of its text\n", language.name, id,
                 *control);
    return false;
  }
  const std::wstring path =
      folder + L"\\" + std::to_wstring(id) + L"_" + std::wstring(suffix, suffix + 2) + L".png";
  const bool ok = ui_support::WritePngFile(path, width, height, pixels);
  std::printf("%s %s (%d x %d)\n", ok ? "wrote" : "FAILED", Narrow(path).c_str(), width, height);
  return ok;
}

}  // namespace
}  // namespace wd::test

int main() {
  using namespace wd::test;
  const int dialogs[] = {IDD_ABOUTBOX,        IDD_HOME_VIEW,  IDD_MONITOR_LIST_VIEW,
                         IDD_CHECK_LIST_VIEW, IDD_TREND_VIEW, IDD_ARCHIVE_VIEW};
  if (!EnglishModule()) {
    std::fprintf(stderr, "rc_en.dll is missing beside the program\n");
    return 1;
  }
  const std::wstring folder = OutputFolder();
  // One stage for all forms: Wine waits up to two seconds for each top-level window it unmaps
  // when there is no window manager.
  const HostWindow stage(/*visible=*/true);
  int failures = 0;
  for (const auto& language : BothLanguages()) {
    const char* suffix = language.module == ProgramModule() ? "zh" : "en";
    for (int id : dialogs) failures += SavePreview(language, suffix, id, stage, folder) ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}

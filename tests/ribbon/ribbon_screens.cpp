#include "ribbon_screens.h"

#include "ribbon_test_frame.h"
#include "tests/ui_support/window_capture.h"

namespace ribbon_test {

bool SaveScreenshot(HWND window, const std::wstring& name, bool wholeWindow) {
  // The test program sits in build/win/tests/ribbon/.
  const std::wstring screens = ProgramFolder() + L"..\\..\\screens";
  ::CreateDirectoryW(screens.c_str(), nullptr);
  ::CreateDirectoryW((screens + L"\\ribbon").c_str(), nullptr);
  // Pictures of another DPI go beside, not over, the 96-DPI ones.
  const int dpi = ScreenDpi();
  std::wstring file = name;
  if (dpi != 96) file.insert(file.rfind(L'.'), L"_" + std::to_wstring(dpi) + L"dpi");
  return ui_support::CaptureWindowToPng(window, screens + L"\\ribbon\\" + file, wholeWindow);
}

}  // namespace ribbon_test
